#include "ui/messages.h"

namespace messages {

QString heading(Input input) {
    return QString::fromUtf8(inputHeadings[input]);
}

QString notANumber(Input input, const QString &decimalSeparator) {
    return QStringLiteral("Il valore di \"%1\" non è un numero: scrivere un numero, con \"%2\" "
                          "per i decimali.")
        .arg(heading(input), decimalSeparator);
}

QString outOfRange(Input input, bool negative, const QString &decimalSeparator) {
    // The limits of a count of ten-thousandths in 64 bits.
    const QString limit =
        negative ? QStringLiteral("-922337203685477") + decimalSeparator + QStringLiteral("5808")
                 : QStringLiteral("922337203685477") + decimalSeparator + QStringLiteral("5807");
    return QStringLiteral("Il valore di \"%1\" è troppo %2: il %3 è %4.")
        .arg(heading(input), negative ? QStringLiteral("piccolo") : QStringLiteral("grande"),
             negative ? QStringLiteral("minimo") : QStringLiteral("massimo"), limit);
}

QString beltTooShort(const QString &profile, std::optional<std::int64_t> shortestCode) {
    const QString tooShort =
        QStringLiteral("Il valore di \"%1\" è troppo corto per questi ingranaggi: ")
            .arg(heading(belt));
    if (!shortestCode)
        return tooShort +
               QStringLiteral("con il profilo %1 nessuna cinghia dà un interasse.").arg(profile);
    return tooShort +
           QStringLiteral("con il profilo %1 il codice più piccolo che dà un interasse è %2.")
               .arg(profile)
               .arg(*shortestCode);
}

QString pulleyWithoutTeeth(Input input) {
    return QStringLiteral("\"%1\" ha 0 denti: il rapporto tra gli ingranaggi non si può "
                          "calcolare.")
        .arg(heading(input));
}

QString resultTooLarge() {
    return QStringLiteral("Il risultato è troppo grande per essere calcolato.");
}

} // namespace messages
