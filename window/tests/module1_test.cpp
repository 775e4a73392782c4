#include "window/module1.h"

#include <QTest>

class Module1Test : public QObject {
    Q_OBJECT

private slots:
    void startsAtXlAndFollowsTheChosenProfile();
};

void Module1Test::startsAtXlAndFollowsTheChosenProfile() {
    constexpr double xl = 5.08, l = 9.525;
    Module1::selectProfile(1);
    Module1::initialisePitch();
    QCOMPARE(Module1::BeltPitch, xl);

    const struct {
        std::int16_t index;
        double pitch;
    } choices[] = {{1, l}, {1, l}, {0, xl}, {0, xl}, {1, l}};
    for (const auto &choice : choices) {
        QVERIFY(Module1::selectProfile(choice.index));
        QCOMPARE(Module1::BeltPitch, choice.pitch);
        QCOMPARE(Module1::ChosenProfile, &common::windowProfiles[std::size_t(choice.index)]);
    }

    // A bad index leaves the profile and its pitch alone.
    for (std::int16_t index : {std::int16_t{-1}, std::int16_t{2}}) {
        QVERIFY(!Module1::selectProfile(index));
        QCOMPARE(Module1::BeltPitch, l);
        QCOMPARE(Module1::ChosenProfile, &common::windowProfiles[1]);
    }
}

QTEST_APPLESS_MAIN(Module1Test)
#include "module1_test.moc"
