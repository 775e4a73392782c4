#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The program's one window: the three inputs, the belt profile, and the results.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);

private:
    void createControls();
    void connectHandlers();

    void Form_Load();
    void Option1_Click(std::int16_t Index);
    void Command1_Click();
    void Command2_Click();

    void showCentreDistance(const QString &value);
    void clearResults(int firstStep);
    void updateOptionFocus();

    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QLineEdit *Text3 = nullptr;
    QLineEdit *Text4 = nullptr;
    QLabel *Label9 = nullptr;
    std::array<QLabel *, 4> Label6{};
    std::array<QRadioButton *, 2> Option1{};
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
};
