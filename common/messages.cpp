#include "common/messages.h"

#include "geometry/belt_profile.h"
#include "geometry/open_drive.h"

#include <QStringList>

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

QString unknownProfile(const QString &typed, const QString &names) {
    return QStringLiteral("Profilo \"%1\" sconosciuto: i profili sono %2 (interasse --profiles).")
        .arg(typed, names);
}

QString codeRangeForm() {
    return QStringLiteral("L'intervallo di --belts si scrive DA:A, dal codice più piccolo al "
                          "più grande, per esempio 100:400.");
}

QString codeRangeBackwards(const QString &from, const QString &to) {
    return QStringLiteral("L'intervallo di --belts va dal codice più piccolo al più grande: "
                          "%1:%2.")
        .arg(from, to);
}

QString searchTakesTwoPulleys() {
    return QStringLiteral("Con --belts e --near servono solo i denti dei due ingranaggi, per "
                          "esempio: interasse 36 14 --near 120");
}

QString oneBeltTakesThreeValues() {
    return QStringLiteral("Servono i denti dei due ingranaggi e il codice della cinghia, per "
                          "esempio: interasse 36 14 150");
}

QString usageHint() {
    return QStringLiteral("Per l'uso: interasse --help");
}

QString help(Help text) {
    switch (text) {
    case Help::description:
        return QStringLiteral(
            "Calcola l'interasse tra due pulegge unite da una cinghia dentata.\n"
            "Senza argomenti apre la finestra.\n\n"
            "Esempi:\n"
            "  interasse 36 14 150                 interasse e rapporti con la cinghia 150XL037,\n"
            "                                      come nella finestra, e la geometria effettiva\n"
            "  interasse 36 14 150 --profile L075  lo stesso con la cinghia 150L075\n"
            "  interasse 20 60 400 -p GT2          la cinghia 400-2GT\n"
            "  interasse 36 14 --belts 100:400     le cinghie in commercio dal codice 100 al 400\n"
            "  interasse 36 14 --near 120          le cinghie con l'interasse più vicino a 120 mm\n"
            "  interasse 36 14 --near 120 --csv    lo stesso in valori separati da virgole");
    case Help::help:
        return QStringLiteral("Mostra questa guida.");
    case Help::profile:
        return QStringLiteral("Profilo della cinghia, con o senza la larghezza: XL037 (se non "
                              "indicato), L075, T5-10, 5M-15, GT2 ... (vedi --profiles).");
    case Help::profiles:
        return QStringLiteral("Elenca i profili conosciuti.");
    case Help::belts:
        return QStringLiteral("Elenca le cinghie in commercio con codice da DA ad A (fino a "
                              "922337203685477) che girano su questi ingranaggi; per i profili "
                              "metrici il codice è la lunghezza in mm.");
    case Help::near:
        return QStringLiteral("Trova le cinghie in commercio il cui interasse effettivo è più "
                              "vicino a MM millimetri: la più vicina sotto e la più vicina "
                              "sopra; con --belts, solo tra quelle.");
    case Help::csv:
        return QStringLiteral("Scrive valori separati da virgole, con il punto per i decimali e "
                              "una riga di intestazione.");
    case Help::largerPulley:
        return QStringLiteral("Denti dell'ingranaggio maggiore.");
    case Help::smallerPulley:
        return QStringLiteral("Denti dell'ingranaggio minore.");
    case Help::belt:
        break;
    }
    return QStringLiteral("Il codice stampato sulla cinghia (150 per 150XL037, 500 per T5-500, "
                          "600 per 600-5M); non con --belts e --near.");
}

QString helpEpilogue() {
    QStringList names;
    for (const geometry::BeltProfile &profile : geometry::beltProfiles)
        names << QString::fromUtf8(profile.name.data(), qsizetype(profile.name.size()));
    return QStringLiteral("Profili: %1.\n\n").arg(names.join(QStringLiteral(", "))) +
           QStringLiteral(
               "--belts e --near si usano da soli o insieme (--near tra le cinghie di\n"
               "--belts); --profile e --csv con ogni forma.\n\n"
               "Le cinghie elencate sono solo quelle su cui gli ingranaggi girano senza\n"
               "sovrapporsi, scelte per l'interasse effettivo, che tiene conto\n"
               "dell'angolo di avvolgimento; con meno di 6 denti in presa sono segnate.\n"
               "La prima riga è l'interasse effettivo, quello delle tabelle dei\n"
               "costruttori; per XL e L segue l'interasse della finestra, la sua\n"
               "formula approssimata. Gli ingranaggi si danno in qualunque ordine.\n"
               "Un codice in pollici che finisce in mezzo si legge arrotondato nei due\n"
               "modi (202L e 203L); due cinghie MXL con lo stesso codice intero si\n"
               "scrivono con un decimale (1553.6MXL, 1554.4MXL).\n"
               "I numeri si leggono e si scrivono nel formato della lingua\n"
               "dell'utente (LC_NUMERIC); con --csv sempre con il punto.\n\n"
               "Stato di uscita:\n"
               "  0  fatto\n"
               "  1  calcolo non riuscito (cinghia troppo corta, nessuna cinghia adatta)\n"
               "  2  uso sbagliato (opzione o valore non valido)\n"
               "  3  non è stato possibile scrivere i risultati\n");
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
