#include "program/messages.h"

#include "geometry/open_drive.h"

namespace messages {

namespace {

// The belt to choose instead, where there is one.
QString shortestOrNone(const std::optional<QString> &shortestBelt) {
    return shortestBelt ? QStringLiteral(": la più corta su cui girano è %1.").arg(*shortestBelt)
                        : QStringLiteral(", e nessuna cinghia di questo profilo gira su di essi.");
}

} // namespace

QString heading(Input input) {
    return QString::fromUtf8(inputHeadings[input]);
}

QString emptyField(Input input) {
    static const char *const whatToType[] = {
        "i denti dell'ingranaggio maggiore, per esempio 36",
        "i denti dell'ingranaggio minore, per esempio 14",
        "il numero stampato sulla cinghia prima del profilo, per esempio 150 per 150XL037",
        "l'interasse voluto in millimetri, per esempio 120"};
    return QStringLiteral("Il campo \"%1\" è vuoto: scrivere %2.")
        .arg(heading(input), QString::fromUtf8(whatToType[input]));
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

QString beltTooShort(const QString &profile, const std::optional<QString> &shortestBelt) {
    if (!shortestBelt)
        return QStringLiteral("La cinghia è troppo corta per questi ingranaggi, e con il profilo "
                              "%1 nessuna cinghia gira su di essi.")
            .arg(profile);
    return QStringLiteral("La cinghia è troppo corta per questi ingranaggi: con il profilo %1 la "
                          "più corta su cui girano è %2.")
        .arg(profile, *shortestBelt);
}

QString beltTooShortForThesePulleys() {
    return QStringLiteral("La cinghia è troppo corta per questi ingranaggi: le loro circonferenze "
                          "primitive si sovrappongono o la cinghia non riesce a girarci intorno.");
}

QString pulleyWithoutTeeth(Input input) {
    return QStringLiteral("Il valore di \"%1\" è 0: con un ingranaggio senza denti il rapporto "
                          "non si può calcolare.")
        .arg(heading(input));
}

QString resultTooLarge() {
    return QStringLiteral("Il risultato è troppo grande per essere calcolato.");
}

QString pulleyNotWhole(Input input) {
    return QStringLiteral("Il valore di \"%1\" deve essere un numero intero di denti, almeno 1: "
                          "nessuna cinghia gira su questi ingranaggi.")
        .arg(heading(input));
}

QString noSuchBelt(const QString &profile, const QString &code) {
    return QStringLiteral("Nessuna cinghia %1 in commercio ha il codice %2: l'interasse effettivo "
                          "vale solo per cinghie di denti interi.")
        .arg(profile, code);
}

QString beltCannotGoRound(const QString &belt, const std::optional<QString> &shortestBelt) {
    return QStringLiteral("La cinghia %1 è più corta della circonferenza primitiva "
                          "dell'ingranaggio maggiore e non può girare su questi ingranaggi")
               .arg(belt) +
           shortestOrNone(shortestBelt);
}

QString pitchCirclesOverlap(const QString &belt, const std::optional<QString> &shortestBelt) {
    return QStringLiteral("Con la cinghia %1 le circonferenze primitive degli ingranaggi si "
                          "sovrappongono, quindi non si può montare")
               .arg(belt) +
           shortestOrNone(shortestBelt);
}

QString sharedCode(const QString &code, const SharedCodeBelt &shorter,
                   const SharedCodeBelt &longer) {
    return QStringLiteral("Il codice %1 è di due cinghie, %2 (%3 denti) e %4 (%5 denti): "
                          "scrivere %6 o %7 per indicare quella voluta.")
        .arg(code, shorter.name)
        .arg(shorter.teeth)
        .arg(longer.name)
        .arg(longer.teeth)
        .arg(shorter.code, longer.code);
}

QString widthMisread(const QString &typed, const QString &profile, bool inch) {
    return inch ? QStringLiteral("Larghezza non valida in \"%1\": per %2 si scrive subito dopo "
                                 "il nome con tre cifre in centesimi di pollice, da 010 a 500, "
                                 "per esempio %3.")
                      .arg(typed, profile, profile + QStringLiteral("037"))
                : QStringLiteral("Larghezza non valida in \"%1\": per %2 si scrive dopo un "
                                 "trattino in millimetri interi, da 1 a 500, per esempio %3.")
                      .arg(typed, profile, profile + QStringLiteral("-10"));
}

QString fewTeethInMesh(const QString &teeth) {
    return QStringLiteral("Sull'ingranaggio minore sono in presa solo %1 denti: ne servono "
                          "almeno %2 per trasmettere il carico.")
        .arg(teeth)
        .arg(geometry::fewestTeethInMesh);
}

QString fewTeethInMeshLegend() {
    return QStringLiteral("* meno di %1 denti in presa sull'ingranaggio minore")
        .arg(geometry::fewestTeethInMesh);
}

QString beltsBelowShortest(const QString &shortestBelt) {
    return QStringLiteral("Le cinghie più corte di %1 non girano su questi ingranaggi.")
        .arg(shortestBelt);
}

QString noBeltInRange(const QString &profile, const QString &first, const QString &last,
                      const std::optional<QString> &shortestBelt) {
    const QString none =
        QStringLiteral("Nessuna cinghia %1 con codice da %2 a %3 gira su questi ingranaggi")
            .arg(profile, first, last);
    return shortestBelt ? none + QStringLiteral(": la più corta è %1.").arg(*shortestBelt)
                        : none + u'.';
}

QString outputFailed(const QString &reason) {
    return QStringLiteral("Non è stato possibile scrivere i risultati: %1.").arg(reason);
}

QString windowUnavailable(WindowProblem problem, const QString &file, const QString &detail) {
    const auto cannotOpen = [](const QString &reason) {
        return QStringLiteral("La finestra non si può aprire: %1. Con argomenti il programma "
                              "risponde nel terminale: interasse --help.")
            .arg(reason);
    };
    switch (problem) {
    case WindowProblem::noProgramFolder:
        return cannotOpen(QStringLiteral("non si trova la cartella in cui è installato il "
                                         "programma (/proc non è montato?)"));
    case WindowProblem::missing:
        return cannotOpen(QStringLiteral("manca il file %1").arg(file));
    case WindowProblem::notAFile:
        return cannotOpen(QStringLiteral("%1 non è un file regolare").arg(file));
    case WindowProblem::notForThisComputer:
        return cannotOpen(QStringLiteral("%1 non è una libreria per questo computer").arg(file));
    case WindowProblem::damaged:
        return cannotOpen(
            QStringLiteral("%1 è danneggiato: è più corto di quanto dice la sua intestazione")
                .arg(file));
    case WindowProblem::notLoaded:
        return cannotOpen(QStringLiteral("%1 non si carica (%2)").arg(file, detail));
    case WindowProblem::noEntryPoint:
        return cannotOpen(QStringLiteral("%1 non è il modulo della finestra").arg(file));
    case WindowProblem::noDisplay:
        break;
    }
    return cannotOpen(QStringLiteral("nessuno schermo disponibile"));
}

} // namespace messages
