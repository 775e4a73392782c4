#include "common/window_profiles.h"

#include <QTest>

class WindowProfilesTest : public QObject {
    Q_OBJECT

private slots:
    void readBeltCodesAsTheWindowDoes_data();
    void readBeltCodesAsTheWindowDoes();
};

void WindowProfilesTest::readBeltCodesAsTheWindowDoes_data() {
    QTest::addColumn<int>("profile"); // the option button's index
    QTest::addColumn<double>("beltCode");
    QTest::addColumn<double>("teeth");

    // XL: the code over two, decimals and all; L: its codes are rounded lengths of whole teeth.
    QTest::newRow("150XL") << 0 << 150.0 << 75.0;
    QTest::newRow("151XL") << 0 << 151.0 << 75.5;
    QTest::newRow("124L") << 1 << 124.0 << 33.0;
    QTest::newRow("150L") << 1 << 150.0 << 40.0;
    QTest::newRow("187L") << 1 << 187.0 << 50.0;
    QTest::newRow("322L") << 1 << 322.0 << 86.0;
    QTest::newRow("-150L") << 1 << -150.0 << -40.0;
    QTest::newRow("5.625L: 1.5 rounds up") << 1 << 5.625 << 2.0;
    QTest::newRow("-5.625L") << 1 << -5.625 << -2.0;
}

void WindowProfilesTest::readBeltCodesAsTheWindowDoes() {
    QFETCH(int, profile);
    QFETCH(double, beltCode);
    QFETCH(double, teeth);
    QCOMPARE(common::windowBeltTeeth(beltCode, common::windowProfiles[std::size_t(profile)]),
             teeth);
}

QTEST_APPLESS_MAIN(WindowProfilesTest)
#include "window_profiles_test.moc"
