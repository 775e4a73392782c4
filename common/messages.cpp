#include "common/messages.h"

#include "geometry/belt_profile.h"
#include "geometry/design.h"
#include "geometry/open_drive.h"

#include <QStringList>

#include <algorithm>
#include <cerrno>

namespace messages {

namespace {

// The belt to choose instead, where there is one.
QString shortestOrNone(const std::optional<QString> &shortestBelt) {
    return shortestBelt ? QStringLiteral(": la più corta su cui girano è %1.").arg(*shortestBelt)
                        : QStringLiteral(", e nessuna cinghia di questo profilo gira su di essi.");
}

// A line of a user's file as a message quotes it: its start only, and what would not show
// as itself on a terminal as "?".
QString quoted(const QString &text) {
    constexpr qsizetype longest = 60;
    // Enough UTF-16 units for one character more than is quoted, each of two at most.
    const QList<uint> characters = text.left((longest + 1) * 2).toUcs4();
    QString quote;
    for (qsizetype i = 0; i < std::min(characters.size(), longest); ++i) {
        const auto character = static_cast<char32_t>(characters[i]);
        quote += QChar::isPrint(character) && character != QChar::ReplacementCharacter
                     ? QString::fromUcs4(&character, 1)
                     : QStringLiteral("?");
    }
    return characters.size() > longest ? quote + u'…' : quote;
}

// Names in a sentence: "XL, T5 e 5M".
QString listed(const QStringList &names) {
    return names.size() < 2 ? names.join(QString())
                            : names.first(names.size() - 1).join(QStringLiteral(", ")) +
                                  QStringLiteral(" e ") + names.last();
}

} // namespace

QString heading(Input input) {
    return QString::fromUtf8(inputHeadings[input]);
}

QString whatToType(Input input) {
    static const char *const whatToType[] = {
        "i denti dell'ingranaggio maggiore, per esempio 36",
        "i denti dell'ingranaggio minore, per esempio 14",
        "il numero stampato sulla cinghia prima del profilo, per esempio 150 per 150XL037",
        "l'interasse voluto in millimetri, per esempio 120",
        "il rapporto voluto, per esempio 3",
        "un numero di denti, per esempio 14",
        "i giri al minuto dell'ingranaggio minore, per esempio 1450"};
    return QString::fromUtf8(whatToType[input]);
}

QString emptyField(Input input) {
    return emptyField(heading(input), whatToType(input));
}

QString emptyField(const QString &field, const QString &whatToType) {
    return QStringLiteral("Il campo \"%1\" è vuoto: scrivere %2.").arg(field, whatToType);
}

QString notANumber(Input input, const QString &decimalSeparator) {
    return notANumber(heading(input), decimalSeparator);
}

QString notANumber(const QString &field, const QString &decimalSeparator) {
    return QStringLiteral("Il valore di \"%1\" non è un numero: scrivere un numero, con \"%2\" "
                          "per i decimali.")
        .arg(field, decimalSeparator);
}

QString outOfRange(Input input, bool negative, const QString &decimalSeparator) {
    return outOfRange(heading(input), negative, decimalSeparator);
}

QString outOfRange(const QString &field, bool negative, const QString &decimalSeparator) {
    // The limits of a count of ten-thousandths in 64 bits.
    const QString limit =
        negative ? QStringLiteral("-922337203685477") + decimalSeparator + QStringLiteral("5808")
                 : QStringLiteral("922337203685477") + decimalSeparator + QStringLiteral("5807");
    return QStringLiteral("Il valore di \"%1\" è troppo %2: il %3 è %4.")
        .arg(field, negative ? QStringLiteral("piccolo") : QStringLiteral("grande"),
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
    return QStringLiteral(
               "Nessuna cinghia %1 di denti interi ha il codice %2: l'interasse effettivo "
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

QString smallPulley(Input input, const QString &teeth, const QString &profile, int fewest) {
    return QStringLiteral("L'%1 ha solo %2 denti: per il profilo %3 i costruttori ne consigliano "
                          "almeno %4.")
        .arg(heading(input), teeth, profile)
        .arg(fewest);
}

QString rangeForm(const QString &option, const QString &example) {
    return QStringLiteral("L'intervallo di %1 si scrive DA:A, dal più piccolo al più grande, "
                          "per esempio %2.")
        .arg(option, example);
}

QString rangeBackwards(const QString &option, const QString &from, const QString &to) {
    return QStringLiteral("L'intervallo di %1 va dal più piccolo al più grande: %2:%3.")
        .arg(option, from, to);
}

QString notPositive(const QString &option, Reader reader) {
    if (reader == Reader::window)
        return fieldNotPositive(option);
    return QStringLiteral("Il rapporto di %1 deve essere maggiore di 0, per esempio 3 o 2.9:3.1.")
        .arg(option);
}

QString notWholeTeeth(const QString &name, int most, Reader reader) {
    if (reader == Reader::window)
        return QStringLiteral(
                   "Il valore di \"%1\" deve essere un numero intero di denti da 1 a %2.")
            .arg(name)
            .arg(most);
    return QStringLiteral("I denti di %1 sono numeri interi da 1 a %2, per esempio 14:80.")
        .arg(name)
        .arg(most);
}

QString designSearchForm() {
    return QStringLiteral("La ricerca delle trasmissioni si scrive interasse --ratio R (o "
                          "--from-rpm N --to-rpm N) --between MIN:MAX (o --near MM), senza i "
                          "denti degli ingranaggi, per esempio: "
                          "interasse --ratio 3 --between 150:250 --teeth 14:80; nella finestra: "
                          "interasse --design.");
}

QString designWindowAlone() {
    return QStringLiteral("--design apre la finestra \"Progetta trasmissione\" e prende al più "
                          "il file di pulegge da aprire, senza altri argomenti né opzioni: "
                          "interasse --design [FILE].");
}

QString slotForm() {
    return QStringLiteral("Con --between servono solo i denti dei due ingranaggi, per esempio: "
                          "interasse 36 14 --between 120:130; per cercare gli ingranaggi, "
                          "interasse --ratio 3 --between 150:250.");
}

QString optionsApart(const QString &first, const QString &second) {
    return QStringLiteral("%1 non va con %2.").arg(first, second);
}

QString speedOnlyForOneBelt() {
    return QStringLiteral("--rpm va con una cinghia sola, con --ratio o con --layout, per "
                          "esempio: interasse 36 14 150 --rpm 1450.");
}

QString speedsTogether() {
    return QStringLiteral("--from-rpm e --to-rpm vanno insieme, i giri al minuto della motrice "
                          "e quelli voluti della condotta, per esempio: interasse --from-rpm "
                          "1450 --to-rpm 600 --between 200:300.");
}

QString drivenSpeedsAround(const QString &from, const QString &to, Reader reader) {
    if (reader == Reader::window)
        return QStringLiteral("Il valore di \"%2\" va tutto sotto o tutto sopra quello di \"%1\": "
                              "la condotta gira più piano della motrice, o più in fretta.")
            .arg(from, to);
    return QStringLiteral("I giri di %2 vanno tutti sotto o tutti sopra quelli di %1: la "
                          "condotta gira più piano della motrice, o più in fretta.")
        .arg(from, to);
}

QString soundOnlyForDesigns() {
    return QStringLiteral("--sound-only va con --ratio o --from-rpm, per esempio: interasse "
                          "--ratio 3 --between 150:250 --sound-only.");
}

QString drawingOnlyForOneBelt() {
    return QStringLiteral("--svg e --dxf vanno con una cinghia sola, per esempio: interasse 36 "
                          "14 150 --svg trasmissione.svg.");
}

QString oneDrawingOnTheOutput() {
    return QStringLiteral("Sull'uscita standard va un disegno solo: --svg - oppure --dxf -.");
}

QString sameDrawingFile(const QString &file) {
    return QStringLiteral("--svg e --dxf vanno in due file diversi: %1 li avrebbe tutti e due.")
        .arg(file);
}

QString drawingOverInput(const QString &drawingOption, const QString &drawing,
                         const QString &inputOption, const QString &input) {
    return QStringLiteral("%1 %2 è il file di %3 %4: il disegno lo sostituirebbe; indicare un "
                          "altro file.")
        .arg(drawingOption, drawing, inputOption, input);
}

QString drawingWithoutFile(const QString &option) {
    return QStringLiteral("Dopo %1 serve il nome del file del disegno, per esempio %1 "
                          "disegno%2.")
        .arg(option, option == u"--dxf" ? QStringLiteral(".dxf") : QStringLiteral(".svg"));
}

QString optionRepeated(const QString &option) {
    return QStringLiteral("%1 è scritta più di una volta: va scritta una volta sola.").arg(option);
}

QString fileMissing(const QString &option, const QString &typed) {
    return QStringLiteral("Manca il file di %1: %2 è un'opzione del programma (un file con "
                          "questo nome si scrive ./%2).")
        .arg(option, typed);
}

QString stockOnlyForLists() {
    return QStringLiteral("--stock va con --belts, --near, --between e --ratio, non con una "
                          "cinghia sola, per esempio: interasse 36 14 --near 120 --stock "
                          "cinghie.txt.");
}

QString allOnlyForDesigns() {
    return QStringLiteral("--all va con --ratio, per esempio: interasse --ratio 3 --between "
                          "150:250 --all; gli altri elenchi mostrano sempre tutte le cinghie.");
}

QString profilesAlone() {
    return QStringLiteral("--profiles elenca i profili e va scritta senza ingranaggi né cinghie, "
                          "al più con --csv: interasse --profiles.");
}

QString speedNotPositive(const QString &name, Reader reader) {
    if (reader == Reader::window)
        return fieldNotPositive(name);
    return QStringLiteral("I giri di %1 devono essere più di 0, per esempio 1450.").arg(name);
}

QString drawingNotWritten(const QString &file, const QString &reason) {
    return QStringLiteral("Il disegno non si è potuto scrivere in %1: %2.").arg(file, reason);
}

QString writtenInPlace(const QString &reason) {
    return QStringLiteral("%1; la sua cartella non lascia sostituire il file, che si è scritto "
                          "direttamente e può essere rimasto incompleto")
        .arg(reason);
}

QString noNewFileAmongDevices(const QString &folder) {
    return QStringLiteral("%1 non ha questo dispositivo, e nessun file nuovo va creato lì")
        .arg(folder);
}

namespace {

// The option that sets the ratio, for a reader of the command line.
QString ratioOption(Reader reader, bool bySpeeds) {
    if (reader != Reader::commandLine)
        return {};
    return bySpeeds ? QStringLiteral(" (--to-rpm)") : QStringLiteral(" (--ratio)");
}

} // namespace

QString noDesign(bool anyPulleys, bool stock, bool near, Reader reader, bool bySpeeds) {
    // The options to change, for a reader of the command line.
    const bool options = reader == Reader::commandLine;
    const QString ratio = ratioOption(reader, bySpeeds);
    const QString teeth = options ? QStringLiteral(" (--teeth)") : QString();
    const QString list = options ? QStringLiteral(" (--stock)") : QString();
    const QString slot = options ? QStringLiteral(" (--between)") : QString();
    if (!anyPulleys)
        return QStringLiteral("Nessuna coppia di ingranaggi ha questo rapporto: allargare "
                              "l'intervallo del rapporto%1 o quello dei denti%2.")
            .arg(ratio, teeth);
    if (near) // only a stock list can leave every pair without a belt
        return QStringLiteral("Nessuna cinghia dell'elenco gira su queste coppie di ingranaggi: "
                              "allargare il rapporto%1 o i denti%2, o aggiungere cinghie "
                              "all'elenco%3.")
            .arg(ratio, teeth, list);
    return stock ? QStringLiteral("Nessuna cinghia dell'elenco dà un interasse in questo "
                                  "intervallo: allargare l'intervallo%1, il rapporto%2 o i "
                                  "denti%3, o aggiungere cinghie all'elenco%4.")
                       .arg(slot, ratio, teeth, list)
                 : QStringLiteral("Nessuna cinghia dà un interasse in questo intervallo: "
                                  "allargare l'intervallo%1, il rapporto%2 o i denti%3.")
                       .arg(slot, ratio, teeth);
}

QString onlyMarkedDesigns(qint64 leftOut, bool near, Reader reader, bool bySpeeds) {
    const bool options = reader == Reader::commandLine;
    const QString found =
        leftOut == 1 ? QStringLiteral("L'unica trasmissione trovata ha un segno (*, † o ‡)")
                     : QStringLiteral("Tutte le %1 trasmissioni trovate hanno un segno (*, † o ‡)")
                           .arg(leftOut);
    const QString widen =
        (near ? QString() : QStringLiteral("l'intervallo%1, ").arg(options ? " (--between)" : "")) +
        QStringLiteral("il rapporto%1 o i denti%2")
            .arg(ratioOption(reader, bySpeeds), options ? " (--teeth)" : "");
    if (!options)
        return QStringLiteral("%1: si vedono mostrando anche le trasmissioni segnate; oppure "
                              "allargare %2.")
            .arg(found, widen);
    return QStringLiteral("%1, e --sound-only le lascia fuori: senza si elencano; oppure "
                          "allargare %2.")
        .arg(found, widen);
}

QString moreDesigns(qsizetype more) {
    return more == 1
               ? QStringLiteral("... e un'altra trasmissione: --all le mostra tutte.")
               : QStringLiteral("... e altre %1 trasmissioni: --all le mostra tutte.").arg(more);
}

QString tooManyDesigns(qint64 most, bool near, bool stock, Reader reader, bool bySpeeds) {
    const bool options = reader == Reader::commandLine;
    const QString ratio = ratioOption(reader, bySpeeds);
    const QString teeth = options ? QStringLiteral(" (--teeth)") : QString();
    if (near) // two belts a pair, whatever the list
        return QStringLiteral("Più di %1 trasmissioni, due per coppia di ingranaggi: restringere "
                              "il rapporto%2 o i denti%3.")
            .arg(most)
            .arg(ratio, teeth);
    const QString slot = options ? QStringLiteral(" (--between)") : QString();
    if (stock)
        return QStringLiteral("Più di %1 trasmissioni: restringere l'intervallo%2, il rapporto%3, "
                              "i denti%4 o l'elenco di cinghie%5.")
            .arg(most)
            .arg(slot, ratio, teeth, options ? QStringLiteral(" (--stock)") : QString());
    return QStringLiteral("Più di %1 trasmissioni: restringere l'intervallo%2, il rapporto%3 o i "
                          "denti%4.")
        .arg(most)
        .arg(slot, ratio, teeth);
}

QString tooManyBelts(qint64 most, bool slot, bool stock, Reader reader) {
    const bool options = reader == Reader::commandLine;
    const QString range = slot ? QStringLiteral("l'intervallo") : QStringLiteral("i codici");
    const QString option = slot ? QStringLiteral(" (--between)") : QStringLiteral(" (--belts)");
    const QString list = stock ? QStringLiteral(" o l'elenco di cinghie") +
                                     (options ? QStringLiteral(" (--stock)") : QString())
                               : QString();
    return QStringLiteral("Più di %1 cinghie: restringere %2%3%4.")
        .arg(most)
        .arg(range, options ? option : QString(), list);
}

QString searchTooLong(qint64 mostBeltsTried, Reader reader, bool bySpeeds) {
    const bool options = reader == Reader::commandLine;
    return QStringLiteral("La ricerca proverebbe più di %1 cinghie: restringere il rapporto%2 o "
                          "i denti%3.")
        .arg(mostBeltsTried)
        .arg(ratioOption(reader, bySpeeds), options ? QStringLiteral(" (--teeth)") : QString());
}

QString fileFailure(int error, bool writing) {
    switch (error) {
    case ENOENT:
        return writing ? QStringLiteral("la cartella non esiste")
                       : QStringLiteral("il file non esiste");
    case EACCES:
    case EPERM:
        return QStringLiteral("mancano i permessi");
    case EISDIR:
        return QStringLiteral("è una cartella");
    case ENOTDIR:
        return QStringLiteral("una parte del percorso non è una cartella");
    case ENAMETOOLONG:
        return QStringLiteral("il nome è troppo lungo");
    case ENOSPC:
        return QStringLiteral("il disco è pieno");
    case EFBIG:
        return QStringLiteral("il file supera la dimensione consentita");
    case EROFS:
        return QStringLiteral("il disco è di sola lettura");
    case ELOOP:
        return QStringLiteral("i collegamenti simbolici formano un anello");
    case EBADF: // a standard output closed by whoever started the program
        return writing ? QStringLiteral("non è aperto per scrivere")
                       : QStringLiteral("non è aperto per leggere");
    default:
        return {};
    }
}

QString stockUnreadable(const QString &file, const QString &reason) {
    const QString cannot = QStringLiteral("L'elenco delle cinghie %1 non si può leggere").arg(file);
    return reason.isEmpty() ? cannot + u'.' : QStringLiteral("%1: %2.").arg(cannot, reason);
}

QString stockTooLong(const QString &file, qint64 mostBytes) {
    return QStringLiteral("L'elenco delle cinghie %1 supera %2 MiB, più di un catalogo di ogni "
                          "profilo: indicare il file giusto, o tenere nell'elenco le sole "
                          "cinghie che servono.")
        .arg(file)
        .arg(mostBytes / (1024 * 1024));
}

QString stockLineNoBelt(const QString &file, int line, const QString &text) {
    return QStringLiteral("%1, riga %2: \"%3\" non è una cinghia: scriverla come è stampata, "
                          "per esempio 150XL037, T5-500, 600-5M-15 o 200-2GT.")
        .arg(file)
        .arg(line)
        .arg(quoted(text));
}

QString stockOfOtherProfiles(const QString &file, const QString &profile, const QStringList &others,
                             Reader reader) {
    const bool one = others.size() == 1;
    const QString all =
        one ? QStringLiteral("Le cinghie dell'elenco %1 sono tutte del profilo %2, non %3")
                  .arg(file, others.first(), profile)
            : QStringLiteral("Le cinghie dell'elenco %1 sono tutte di altri profili, %2, non %3")
                  .arg(file, listed(others), profile);
    if (reader == Reader::window)
        return all + (one ? QStringLiteral(": scegliere il profilo %1.").arg(others.first())
                          : QStringLiteral(": scegliere uno di questi profili."));
    return all + (one ? QStringLiteral(": indicare il profilo con -p %1.").arg(others.first())
                      : QStringLiteral(": indicare il profilo con -p, per esempio -p %1.")
                            .arg(others.first()));
}

QString stockWithoutFile() {
    return QStringLiteral("Dopo --stock serve il nome del file dell'elenco delle cinghie, per "
                          "esempio --stock cinghie.txt.");
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

QString noRoomForFlanges(const QString &gap, const QString &room) {
    return QStringLiteral("Tra i cerchi esterni dei due ingranaggi restano solo %1 mm: due "
                          "flange ne chiedono almeno %2.")
        .arg(gap, room);
}

QString noRoomForFlangesLegend(const QString &room) {
    return QStringLiteral("‡ meno di %1 mm tra i cerchi esterni degli ingranaggi, "
                          "lo spazio di due flange")
        .arg(room);
}

QString beltsBelowShortest(const QString &shortestBelt) {
    return QStringLiteral("Le cinghie più corte di %1 non girano su questi ingranaggi.")
        .arg(shortestBelt);
}

QString noBeltInSlot(const QString &profile, const QString &from, const QString &to,
                     const std::optional<QString> &shortestBelt, bool stock) {
    const QString none =
        QStringLiteral("Nessuna cinghia %1%2 dà un interasse da %3 a %4 mm su questi ingranaggi")
            .arg(profile, stock ? QStringLiteral(" dell'elenco") : QString(), from, to);
    return shortestBelt
               ? none + QStringLiteral(": la più corta su cui girano è %1.").arg(*shortestBelt)
               : none + u'.';
}

QString noBeltInRange(const QString &profile,
                      const std::optional<std::pair<QString, QString>> &codes,
                      const std::optional<QString> &shortestBelt, bool stock) {
    const QString range =
        codes ? QStringLiteral(" con codice da %1 a %2").arg(codes->first, codes->second)
              : QString();
    const QString none =
        QStringLiteral("Nessuna cinghia %1%2%3 gira su questi ingranaggi")
            .arg(profile, stock ? QStringLiteral(" dell'elenco") : QString(), range);
    return shortestBelt ? none + QStringLiteral(": la più corta è %1.").arg(*shortestBelt)
                        : none + u'.';
}

QString outputFailed(const QString &reason) {
    return QStringLiteral("Non è stato possibile scrivere i risultati: %1.").arg(reason);
}

QString layoutUnreadable(const QString &file, const QString &reason) {
    const QString cannot = QStringLiteral("Il file delle pulegge %1 non si può leggere").arg(file);
    return reason.isEmpty() ? cannot + u'.' : QStringLiteral("%1: %2.").arg(cannot, reason);
}

QString layoutTooLong(const QString &file, qint64 mostBytes) {
    return QStringLiteral("Il file delle pulegge %1 supera %2 MiB, molto più di qualunque "
                          "trasmissione: indicare il file giusto.")
        .arg(file)
        .arg(mostBytes / (1024 * 1024));
}

QString layoutTooFewPulleys(const QString &file) {
    return QStringLiteral("Il file delle pulegge %1 ha meno di due pulegge: ne servono almeno "
                          "due, una per riga, per esempio: motore 0 0 20.")
        .arg(file);
}

QString layoutLine(const QString &file, int line, const QString &what) {
    return QStringLiteral("%1, riga %2: %3").arg(file).arg(line).arg(what);
}

QString layoutLineNumber(int line) {
    return QStringLiteral("riga %1").arg(line);
}

QString layoutEntryName(bool clamp, int place) {
    return (clamp ? QStringLiteral("estremo%1") : QStringLiteral("puleggia%1")).arg(place);
}

QString layoutLineNotEntry(const QString &text) {
    return QStringLiteral("\"%1\" non è una puleggia: si scrive [nome] X Y DENTI oppure [nome] "
                          "X Y liscia DIAMETRO, poi se servono dorso, folle e scorre X Y o ruota "
                          "PX PY [DA:A]; un capo di una cinghia aperta, [nome] estremo X Y; il "
                          "profilo, profilo NOME. Per esempio: tenditore 100 40 20 dorso folle "
                          "scorre 100 70.")
        .arg(quoted(text));
}

QString layoutNotANumber(const QString &typed) {
    return QStringLiteral("\"%1\" non è un numero: scrivere le cifre con il punto o la virgola "
                          "per i decimali, senza separatori delle migliaia.")
        .arg(quoted(typed));
}

QString layoutBadTeeth() {
    return QStringLiteral("i denti di un ingranaggio sono un numero intero, almeno 1; una "
                          "puleggia senza denti si scrive liscia DIAMETRO.");
}

QString layoutBadDiameter() {
    return QStringLiteral("il diametro di una puleggia liscia deve essere più di 0 mm.");
}

QString layoutBadAngles(const QString &typed) {
    return QStringLiteral("\"%1\" non è un arco: gli angoli di ruota si scrivono DA:A in gradi, "
                          "in senso antiorario da +x, per esempio 0:90.")
        .arg(quoted(typed));
}

QString layoutProfileTwice(int firstLine) {
    return QStringLiteral("il profilo è già scritto alla riga %1: va scritto una volta sola.")
        .arg(firstLine);
}

QString layoutUnknownProfile(const QString &typed) {
    return QStringLiteral("profilo \"%1\" sconosciuto: i profili sono quelli di interasse "
                          "--profiles.")
        .arg(quoted(typed));
}

QString layoutTooManyEntries(int most) {
    return QStringLiteral("più di %1 pulegge: tenere nel file il percorso di una cinghia sola.")
        .arg(most);
}

QString layoutNameTwice(const QString &name, int firstLine) {
    return QStringLiteral("il nome \"%1\" è già della riga %2: ogni puleggia ha un nome suo.")
        .arg(quoted(name))
        .arg(firstLine);
}

QString layoutTwoMovable(int firstLine) {
    return QStringLiteral("si muove già la puleggia della riga %1: si muove (scorre o ruota) una "
                          "puleggia sola.")
        .arg(firstLine);
}

QString layoutMisplacedClamp() {
    return QStringLiteral("un estremo va sulla prima o sull'ultima riga delle pulegge, e una "
                          "cinghia aperta ne ha due, uno per capo.");
}

QString layoutBadTravel() {
    return QStringLiteral("la corsa non si può usare: scorre porta la puleggia in un altro punto, "
                          "e l'arco di ruota comprende il punto della puleggia nel file.");
}

QString layoutNoArc(const QString &typed) {
    return QStringLiteral("\"%1\" è un arco lungo zero: DA e A di ruota sono lo stesso angolo; "
                          "per un giro intero ruota si scrive senza angoli.")
        .arg(quoted(typed));
}

QString layoutDefaultProfile(const QString &file, const QString &profile) {
    return QStringLiteral("Il file delle pulegge %1 non ha una riga \"profilo\": si usa il profilo "
                          "%2; per un altro, scrivere nel file una riga come \"profilo 2GT\" o "
                          "usare -p.")
        .arg(file, profile);
}

QString layoutNoBeltFigures(const QString &entry, const QString &profile) {
    return QStringLiteral("Per il profilo %1 non sono pubblicati lo spessore della cinghia e "
                          "l'altezza dei denti: la puleggia %2, liscia o sul dorso, non si può "
                          "calcolare.")
        .arg(profile, entry);
}

QString layoutOverlap(const QString &first, const QString &second) {
    return QStringLiteral("Le pulegge %1 e %2 si sovrappongono dove passa la cinghia tra di "
                          "loro: allontanarle.")
        .arg(first, second);
}

QString layoutUntouched(const QString &entry) {
    return QStringLiteral("La cinghia non tocca la puleggia %1: sta dalla parte sbagliata del "
                          "tratto tra le sue vicine (dorso o no).")
        .arg(entry);
}

QString layoutSpansCross(const QString &first, const QString &second) {
    return QStringLiteral("I tratti della cinghia che partono da %1 e da %2 si incrociano: "
                          "cambiare l'ordine delle righe o il lato (dorso) delle pulegge.")
        .arg(first, second);
}

QString layoutNowhere(const QString &movable) {
    return QStringLiteral("La cinghia non si monta in nessun punto della corsa di %1.")
        .arg(movable);
}

QString layoutBeltOfOtherProfile(const QString &belt, const QString &beltProfile,
                                 const QString &profile) {
    return QStringLiteral("La cinghia %1 è del profilo %2, le pulegge del profilo %3: indicare "
                          "una cinghia %3, o il profilo con -p.")
        .arg(belt, beltProfile, profile);
}

QString layoutNoSuchBelt(const QString &profile, const QString &code,
                         const std::optional<QString> &nearest) {
    const QString none =
        QStringLiteral("Nessuna cinghia %1 di denti interi ha il codice %2").arg(profile, code);
    return nearest ? none + QStringLiteral(": la più vicina sotto è %1.").arg(*nearest)
                   : none + u'.';
}

QString layoutBeltMisfit(const QString &belt, const QString &difference, bool longer) {
    return QStringLiteral("La cinghia %1 è %2 mm più %3 del percorso: non si monta senza "
                          "spostare una puleggia (scorre o ruota).")
        .arg(belt, difference, longer ? QStringLiteral("lunga") : QStringLiteral("corta"));
}

QString layoutNoBeltFits(const QString &profile, const QString &movable, const QString &from,
                         const QString &to, bool stock) {
    return QStringLiteral("Nessuna cinghia %1%2 si monta sulla corsa di %3, che dà lunghezze "
                          "primitive da %4 a %5 mm: allungare la corsa%6.")
        .arg(profile, stock ? QStringLiteral(" dell'elenco") : QString(), movable, from, to,
             stock ? QStringLiteral(" o aggiungere cinghie all'elenco (--stock)") : QString());
}

QString layoutBeltFitsNowhere(const QString &belt, const QString &movable, const QString &shortest,
                              const QString &longest, bool stock) {
    return QStringLiteral("La cinghia %1 non si monta in nessun punto della corsa di %2: vi si "
                          "montano le cinghie%3 da %4 a %5.")
        .arg(belt, movable, stock ? QStringLiteral(" dell'elenco") : QString(), shortest, longest);
}

QString tooManyLayoutBelts(qint64 most, bool stock) {
    return QStringLiteral("Più di %1 cinghie: restringere la corsa nel file%2.")
        .arg(most)
        .arg(stock ? QStringLiteral(" o l'elenco di cinghie (--stock)") : QString());
}

QString moreLayoutBelts(qsizetype more) {
    return more == 1 ? QStringLiteral("... e un'altra cinghia: --all le mostra tutte.")
                     : QStringLiteral("... e altre %1 cinghie: --all le mostra tutte.").arg(more);
}

QString layoutSolution(int number, int of) {
    return QStringLiteral("soluzione %1 di %2:").arg(number).arg(of);
}

QString layoutMovedTo(const QString &movable, const QString &x, const QString &y) {
    return QStringLiteral("posizione di %1: x %2 mm, y %3 mm").arg(movable, x, y);
}

QString layoutFewTeethInMesh(const QString &entry, const QString &teeth) {
    return QStringLiteral("Sulla puleggia %1 sono in presa solo %2 denti: ne servono almeno %3 "
                          "per trasmettere il carico.")
        .arg(entry, teeth)
        .arg(geometry::fewestTeethInMesh);
}

QString layoutLittleWrap(const QString &entry, const QString &degrees, const QString &least) {
    return QStringLiteral("La cinghia avvolge la puleggia %1 per soli %2°: ne servono almeno %3 "
                          "per trasmettere il carico.")
        .arg(entry, degrees, least);
}

QString layoutSmallIdler(const QString &entry, const QString &size, const QString &least,
                         bool teeth, const QString &profile) {
    return teeth ? QStringLiteral("La puleggia folle %1 ha solo %2 denti: per il profilo %3 un "
                                  "costruttore ne consiglia almeno %4.")
                       .arg(entry, size, profile, least)
                 : QStringLiteral("La puleggia %1 ha un diametro di soli %2 mm: per il profilo "
                                  "%3 un costruttore consiglia almeno %4 mm.")
                       .arg(entry, size, profile, least);
}

QString fewTeethOnLoadLegend() {
    return QStringLiteral("* meno di %1 denti in presa su un ingranaggio che porta il carico")
        .arg(geometry::fewestTeethInMesh);
}

QString layoutSmallPulley(const QString &entry, const QString &teeth, const QString &profile,
                          int fewest) {
    return QStringLiteral("La puleggia %1 ha solo %2 denti: per il profilo %3 i costruttori ne "
                          "consigliano almeno %4.")
        .arg(entry, teeth, profile)
        .arg(fewest);
}

QString layoutSolvingTooLong(qint64 most, bool stock, Reader reader) {
    if (reader == Reader::window)
        return QStringLiteral("Collocare le cinghie sulla corsa vorrebbe più di %1 calcoli (cinghie "
                              "per pulegge): restringere la corsa nella tabella%2.")
            .arg(most)
            .arg(stock ? QStringLiteral(" o l'elenco di cinghie") : QString());
    return QStringLiteral("Collocare le cinghie sulla corsa vorrebbe più di %1 calcoli (cinghie "
                          "per pulegge): restringere la corsa nel file%2 o chiedere solo le "
                          "prime (senza --all né --csv).")
        .arg(most)
        .arg(stock ? QStringLiteral(", l'elenco di cinghie (--stock)") : QString());
}

QString layoutOneBeltFits(const QString &belt, const QString &movable, const QString &fitting,
                          bool stock) {
    return QStringLiteral("La cinghia %1 non si monta in nessun punto della corsa di %2: vi si "
                          "monta solo la cinghia%3 %4.")
        .arg(belt, movable, stock ? QStringLiteral(" dell'elenco") : QString(), fitting);
}

QString layoutForm() {
    return QStringLiteral("--layout prende il file delle pulegge e al più una cinghia, per "
                          "esempio: interasse --layout pulegge.txt 384-2GT.");
}

QString layoutWithoutFile() {
    return QStringLiteral("Dopo --layout serve il nome del file delle pulegge, per esempio "
                          "--layout pulegge.txt.");
}

QString layoutAllUnused() {
    return QStringLiteral("--all mostra tutte le cinghie della corsa di una puleggia che si "
                          "muove: va con --layout senza cinghia, su un file che ne ha una.");
}

QString layoutStockWithBelt() {
    return QStringLiteral("--stock sceglie fra le cinghie da elencare: va con --layout senza "
                          "cinghia.");
}

QString loadsOnlyForOneBelt(const QString &option) {
    return QStringLiteral("%1 va con una cinghia sola o con --layout, per esempio: interasse 20 "
                          "20 440 -p T5-10 --tension 300.")
        .arg(option);
}

QString spanOnlyForLayoutFrequency() {
    return QStringLiteral("--span va con --layout e --frequency e nomina il tratto misurato, per "
                          "esempio: interasse --layout pulegge.txt --frequency 120 --span "
                          "motore-vite.");
}

QString powerNeedsSpeed() {
    return QStringLiteral("--power chiede anche i giri: --rpm N, dell'ingranaggio minore (con "
                          "--layout, della prima puleggia), per esempio: interasse 36 14 150 "
                          "--power 0.75 --rpm 1450.");
}

QString serviceFactorNeedsPower() {
    return QStringLiteral("--service-factor va con --power, per esempio: interasse 36 14 150 "
                          "--power 0.75 --rpm 1450 --service-factor 2.");
}

QString massNeedsTension() {
    return QStringLiteral("--mass va con --tension o --frequency, per esempio: interasse 20 20 "
                          "440 -p T5 --tension 300 --mass 0.11.");
}

QString loadToType(const QString &option, const QString &example) {
    return QStringLiteral("un numero per %1, per esempio %2").arg(option, example);
}

QString loadNotPositive(const QString &option, const QString &example) {
    return QStringLiteral("Il valore di %1 deve essere più di 0, per esempio %2.")
        .arg(option, example);
}

QString loadRoundedToZero(const QString &option, const QString &example) {
    return QStringLiteral("Il valore di %1, arrotondato a quattro decimali, è 0: deve essere più "
                          "di 0, per esempio %2.")
        .arg(option, example);
}

QString massUnknown(const QString &profile, const std::optional<QString> &withWidth) {
    if (withWidth)
        return QStringLiteral("Per la frequenza serve la massa della cinghia: indicare la "
                              "larghezza nel profilo, per esempio -p %1, o la massa in kg al "
                              "metro con --mass.")
            .arg(*withWidth);
    return QStringLiteral("Per il profilo %1 non si trova una massa pubblicata: indicare la massa "
                          "della cinghia in kg al metro con --mass.")
        .arg(profile);
}

QString widthNotMade(const QString &belt, const QString &profile, const QStringList &widths) {
    return QStringLiteral("La cinghia %1 non si fa in questa larghezza: il profilo %2 si fa "
                          "largo %3; indicarne una, per esempio -p %2%4.")
        .arg(belt, profile, listed(widths), widths.last());
}

QString slackSideLeaves(const QString &tension, const QString &least) {
    return QStringLiteral("Con un tiro statico di %1 N il lato lento si stacca dai denti e la "
                          "cinghia può saltare: serve un tiro statico di almeno %2 N.")
        .arg(tension, least);
}

QString noRatingFormula(const QString &profile) {
    return QStringLiteral("Per il profilo %1 non si trova né una formula né una tabella "
                          "pubblicata delle potenze: la potenza trasmissibile e la larghezza "
                          "non si calcolano.")
        .arg(profile);
}

QString widthNotPrinted(const QString &belt, const QString &profile, const QStringList &widths) {
    return QStringLiteral("Per la cinghia %1 non c'è una tabella pubblicata: le tabelle del "
                          "profilo %2 sono per le larghezze %3 mm; indicarne una, per esempio "
                          "-p %2-%4.")
        .arg(belt, profile, listed(widths), widths.last());
}

namespace {

// A sentence on a table's reading, on a layout's pulley where one is named.
QString onPulley(const QString &sentence, const std::optional<QString> &entry) {
    return entry ? QStringLiteral("Sulla puleggia %1: %2").arg(*entry, sentence)
                 : sentence.front().toUpper() + sentence.mid(1);
}

} // namespace

QString tableStartsAt(const QString &belt, int first, int grooves,
                      const std::optional<QString> &entry) {
    return onPulley(QStringLiteral("la tabella pubblicata della cinghia %1 comincia da %2 denti: "
                                   "con %3 la potenza trasmissibile non si calcola.")
                        .arg(belt)
                        .arg(first)
                        .arg(grooves),
                    entry);
}

QString tableEndsAtGrooves(const QString &belt, int last, int grooves,
                           const std::optional<QString> &entry) {
    return onPulley(QStringLiteral("la tabella pubblicata della cinghia %1 arriva a %2 denti: "
                                   "con %3 la potenza trasmissibile non si calcola.")
                        .arg(belt)
                        .arg(last)
                        .arg(grooves),
                    entry);
}

QString tableEndsAtRpm(const QString &belt, const QString &last, const QString &rpm,
                       const std::optional<QString> &entry) {
    return onPulley(QStringLiteral("la tabella pubblicata della cinghia %1 arriva a %2 giri al "
                                   "minuto: a %3 il costruttore non la garantisce e la potenza "
                                   "trasmissibile non si calcola.")
                        .arg(belt, last, rpm),
                    entry);
}

QString tableCellBlank(const QString &belt, int grooves, const QString &rpm,
                       const std::optional<QString> &entry) {
    return onPulley(QStringLiteral("la tabella pubblicata della cinghia %1 lascia vuota la "
                                   "casella di %2 denti a %3 giri al minuto, per lo più perché "
                                   "la cinghia passerebbe i 33 m/s (6500 piedi al minuto): la "
                                   "potenza trasmissibile non si calcola.")
                        .arg(belt)
                        .arg(grooves)
                        .arg(rpm),
                    entry);
}

QString lengthNotListed(const QString &belt, qint64 teeth) {
    return QStringLiteral("La cinghia di %1 denti non è fra le lunghezze per cui la tabella "
                          "pubblicata della cinghia %2 dà il fattore di lunghezza: la potenza "
                          "trasmissibile non si calcola.")
        .arg(teeth)
        .arg(belt);
}

QString cellReducedLife() {
    return QStringLiteral("Nella tabella del costruttore la casella letta è ombreggiata: con "
                          "questo ingranaggio a questa velocità la cinghia dura meno.");
}

QString cellOnlyIfRequired() {
    return QStringLiteral("Nella tabella del costruttore la casella letta è in grigio: questo "
                          "ingranaggio a questa velocità solo se il rapporto o lo spazio lo "
                          "impongono.");
}

QString cellSpecialPulleys() {
    return QStringLiteral("Nella tabella del costruttore la casella letta passa i 6500 piedi al "
                          "minuto sul cerchio dell'ingranaggio: servono ingranaggi speciali.");
}

QString cellNoise() {
    return QStringLiteral("Nella tabella del costruttore la velocità letta è segnata come "
                          "rumorosa: conviene smorzare il rumore nel carter.");
}

QString noTensionToSet(const QString &belt, bool leastGiven) {
    return QStringLiteral("Per la cinghia %1 i costruttori non pubblicano il tiro da montare%2")
        .arg(belt, leastGiven ? QStringLiteral(": si dà il tiro statico minimo, Te/2 + m·v², "
                                               "sotto cui il lato lento si stacca dai denti.")
                              : QStringLiteral(", né si conosce la massa della cinghia: indicare "
                                               "il tiro con --tension."));
}

QString noStiffnessTerm(const QString &belt) {
    return QStringLiteral("Per la cinghia %1 non si trova pubblicata la rigidezza: la forza per la "
                          "freccia è quella di una corda tesa, T/16, e la cinghia vera ne chiede "
                          "un po' di più.")
        .arg(belt);
}

QString tooFewTeethToRate(const QString &teeth, const std::optional<QString> &entry) {
    return (entry
                ? QStringLiteral("Sulla puleggia %1 sono in presa solo %2 denti").arg(*entry, teeth)
                : QStringLiteral("Sull'ingranaggio minore sono in presa solo %1 denti")
                      .arg(teeth)) +
           QStringLiteral(", meno di 2: la potenza trasmissibile non si calcola.");
}

QString noWidthCarries(const QString &power, const QString &widest, const QString &rating) {
    return QStringLiteral("Nessuna larghezza del profilo trasmette %1 kW (la potenza per il "
                          "fattore di servizio): la più larga, %2, ne trasmette %3 kW; scegliere "
                          "un profilo più grande o ingranaggi più grandi.")
        .arg(power, widest, rating);
}

QString spanNeeded(const QString &example) {
    return QStringLiteral("I tratti hanno lunghezze diverse: indicare con --span quello di cui "
                          "si è misurata la frequenza, per esempio --span %1.")
        .arg(example);
}

QString spanUnknown(const QString &typed, const QString &example) {
    return QStringLiteral("Nessun tratto va da una puleggia all'altra in \"%1\": --span nomina "
                          "due pulegge vicine nel file, per esempio --span %2.")
        .arg(typed, example);
}

QString spanAmbiguous(const QString &typed, const std::pair<QString, QString> &first,
                      const std::pair<QString, QString> &second) {
    return QStringLiteral("--span %1 può essere il tratto da \"%2\" a \"%3\" o quello da "
                          "\"%4\" a \"%5\": cambiare nel file il nome di una delle pulegge.")
        .arg(typed, first.first, first.second, second.first, second.second);
}

QString layoutLoadsNeedBelt() {
    return QStringLiteral("Con una puleggia che si muove, --tension, --frequency, --power e --rpm "
                          "chiedono la cinghia, che la mette al suo posto, per esempio: interasse "
                          "--layout pulegge.txt 384-2GT --tension 30.");
}

QString layoutSpeedOfUnknown(const QString &name) {
    return QStringLiteral(
               "Nella disposizione non c'è una puleggia di nome \"%1\" di cui dare i giri.")
        .arg(name);
}

QString layoutLoadsHint() {
    return QStringLiteral("Con i giri, la potenza, il tiro statico o la frequenza, qui i carichi "
                          "della cinghia: la frequenza e la freccia di ogni tratto, i carichi "
                          "sugli alberi, i tiri e la larghezza che serve.");
}

QString unknownProfile(const QString &typed, const QString &names) {
    return QStringLiteral("Profilo \"%1\" sconosciuto: i profili sono %2 (interasse --profiles).")
        .arg(typed, names);
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
            "  interasse 36 14 --belts 100:400     le cinghie dal codice 100 al 400\n"
            "  interasse 36 14 --near 120          le cinghie con l'interasse più vicino a 120 mm\n"
            "  interasse 36 14 --near 120 --csv    lo stesso in valori separati da virgole\n"
            "  interasse 36 14 --between 120:130   le cinghie con l'interasse tra 120 e 130 mm\n"
            "  interasse 36 14 150 --rpm 1450      la geometria intera e le velocità\n"
            "  interasse --ratio 3 --between 150:250 -p 5M --teeth 14:80\n"
            "                                      le trasmissioni 3:1 con l'interasse tra 150\n"
            "                                      e 250 mm e ingranaggi da 14 a 80 denti\n"
            "  interasse --from-rpm 1450 --to-rpm 600 --between 200:300 -p T5\n"
            "                                      lo stesso da 1450 a 600 giri al minuto\n"
            "  interasse 36 14 150 --svg t.svg --dxf t.dxf\n"
            "                                      il disegno in scala 1:1, per il browser e il "
            "CAD\n"
            "  interasse 36 14 --near 120 --stock cinghie.txt\n"
            "                                      solo tra le cinghie del file\n"
            "  interasse --layout pulegge.txt      la cinghia su più pulegge, dal file\n"
            "  interasse --layout pulegge.txt 384-2GT\n"
            "                                      dove si monta la puleggia che si muove\n"
            "  interasse 20 20 440 -p T5-10 --tension 300\n"
            "                                      frequenza del tratto a 300 N, freccia e\n"
            "                                      carichi sugli alberi (--mass: la massa in\n"
            "                                      kg al metro, se la larghezza non c'è)\n"
            "  interasse 20 20 440 -p T5-10 --frequency 150\n"
            "                                      il tiro che quella frequenza vuol dire\n"
            "  interasse --layout pulegge.txt 384 -p GT2-6 --frequency 120 --span motore-vite\n"
            "                                      lo stesso, misurato su un tratto del file\n"
            "  interasse 20 20 150 -p L100 --rpm 1160\n"
            "                                      la potenza trasmissibile di L100\n"
            "  interasse 48 24 334 -p L --rpm 1450 --power 1 --service-factor 2\n"
            "                                      la larghezza per 1 kW, per il fattore 2\n"
            "  interasse --design [FILE]           la finestra \"Progetta trasmissione\", sulle\n"
            "                                      pulegge del file se c'è (pulegge.trasmissione)");
    case Help::help:
        return QStringLiteral("Mostra questa guida.");
    case Help::profile:
        return QStringLiteral("Profilo della cinghia, con o senza la larghezza: XL037 (se non "
                              "indicato), L075, T5-10, 5M-15, GT2 ... (vedi --profiles); dove "
                              "due linee di cinghie hanno tabelle pubblicate, la linea dopo la "
                              "larghezza: 5GT-15/GT2, 5GT-15/GT3, 8GT-20/gomma, 8GT-21/PU.");
    case Help::profiles:
        return QStringLiteral("Elenca i profili conosciuti.");
    case Help::belts:
        return QStringLiteral("Elenca le cinghie di denti interi con codice da DA ad A (fino a "
                              "922337203685477) che girano su questi ingranaggi; per i profili "
                              "metrici il codice è la lunghezza in mm.");
    case Help::near:
        return QStringLiteral("Trova le cinghie di denti interi il cui interasse effettivo è più "
                              "vicino a MM millimetri: la più vicina sotto e la più vicina "
                              "sopra; con --belts, solo tra quelle; con --ratio, per ogni coppia "
                              "di ingranaggi.");
    case Help::between:
        return QStringLiteral("Con i denti dei due ingranaggi, elenca le cinghie il cui interasse "
                              "effettivo è tra MIN e MAX millimetri; con --ratio, cerca le "
                              "trasmissioni il cui interasse è in quell'intervallo.");
    case Help::ratio:
        return QStringLiteral("Cerca le coppie di ingranaggi con rapporto M/m R (entro l'1 %) o "
                              "tra DA:A, e le cinghie con cui il loro interasse è in --between "
                              "o più vicino a --near; un rapporto minore di 1 vale come il suo "
                              "inverso. Ogni numero tiene quattro decimali: gli estremi di DA:A "
                              "si arrotondano verso l'esterno (1.578947:1.578948 vale "
                              "1.5789:1.5790).");
    case Help::fromRpm:
        return QStringLiteral("Con --to-rpm, al posto di --ratio: i giri al minuto della motrice, "
                              "più di 0 (il motore); il rapporto è quello tra i giri. Le righe "
                              "dicono quale ingranaggio è la motrice, con i giri di tutte e due.");
    case Help::toRpm:
        return QStringLiteral("Con --from-rpm: i giri al minuto voluti della condotta, N (il "
                              "rapporto entro l'1 %) o DA:A, tutti sotto o tutti sopra quelli "
                              "della motrice.");
    case Help::soundOnly:
        return QStringLiteral("Con --ratio o --from-rpm, solo le trasmissioni senza segni: "
                              "almeno 6 denti in presa sull'ingranaggio minore, e il minore non "
                              "più piccolo di quanto i costruttori consigliano per il profilo.");
    case Help::teeth:
        return QStringLiteral("Con --ratio, i denti di ciascun ingranaggio, da A a B, al più "
                              "10000 (se non indicato, dal più piccolo consigliato per il "
                              "profilo a 150).");
    case Help::stock:
        return QStringLiteral("Limita --belts, --near, --between, --ratio e --layout senza "
                              "cinghia alle cinghie elencate nel file, una per riga come sono "
                              "stampate (150XL037, T5-500, 600-5M-15, 200-2GT), con commenti "
                              "dopo # e righe vuote.");
    case Help::rpm:
        return QStringLiteral("Con una cinghia sola o con --ratio: giri al minuto "
                              "dell'ingranaggio minore, più di 0 (il motore, in un riduttore); "
                              "aggiunge i giri del maggiore, e con una cinghia sola la velocità "
                              "della cinghia e, per MXL, XL, L, H, XH e XXH, la potenza "
                              "trasmissibile alla larghezza del profilo. Con --layout: i giri "
                              "della prima puleggia del file, per --power.");
    case Help::tension:
        return QStringLiteral("Con una cinghia sola o con --layout: il tiro statico in N, uguale "
                              "in ogni tratto; aggiunge per ogni tratto la frequenza a cui vibra "
                              "pizzicato, f = √(T/m) / 2s, la freccia s/64 e la forza che la dà, "
                              "T/16 per una corda tesa (i costruttori vi aggiungono un termine "
                              "di rigidezza loro), e il carico sull'albero di ogni puleggia, "
                              "2·T·sen(avvolgimento/2).");
    case Help::frequency:
        return QStringLiteral("Al posto di --tension: la frequenza in Hz misurata pizzicando un "
                              "tratto; ne dà il tiro statico, T = 4·m·s²·f², e con esso quanto "
                              "dà --tension.");
    case Help::span:
        return QStringLiteral("Con --layout e --frequency: il tratto misurato, dalle due pulegge "
                              "vicine che lo chiudono (motore-vite); serve se i tratti hanno "
                              "lunghezze diverse.");
    case Help::mass:
        return QStringLiteral("Con --tension o --frequency: la massa della cinghia in kg al "
                              "metro, alla sua larghezza. Se non indicata, quella pubblicata per "
                              "il profilo per la larghezza nel suo nome (-p T5-10, XL037); senza "
                              "l'una e l'altra, nessuna frequenza.");
    case Help::power:
        return QStringLiteral("Con --rpm: la potenza da trasmettere in kW; aggiunge il tiro "
                              "utile P/v, con --tension i tiri del lato teso e del lato lento, e "
                              "la larghezza più stretta la cui potenza trasmissibile è almeno la "
                              "potenza per il fattore di servizio: per MXL, XL, L, H, XH e XXH "
                              "dalla formula ISO 5295, per gli altri profili dalle tabelle "
                              "pubblicate dai costruttori. Con una ricerca (--ratio, --from-rpm, "
                              "--near, --between, --belts) aggiunge a ogni riga la potenza "
                              "trasmissibile alla larghezza del profilo o, senza larghezza, la "
                              "più stretta che basta.");
    case Help::serviceFactor:
        return QStringLiteral("Con --power: il fattore di servizio F, più di 0 (se non indicato, "
                              "1,5).");
    case Help::svg:
        return QStringLiteral("Con una cinghia sola o con --layout: il disegno in scala 1:1 della "
                              "trasmissione, in SVG, nel file (- per l'uscita standard, senza i "
                              "risultati).");
    case Help::dxf:
        return QStringLiteral("Lo stesso disegno in DXF, in millimetri, con un layer per ogni "
                              "tipo di elemento, da aprire in un programma CAD.");
    case Help::all:
        return QStringLiteral(
            "Con --ratio, mostra tutte le trasmissioni, non solo le prime 20; con "
            "--layout senza cinghia, tutte le cinghie della corsa.");
    case Help::design:
        return QStringLiteral("Apre la finestra \"Progetta trasmissione\": da due ingranaggi o da "
                              "un rapporto, e da un interasse voluto o da un intervallo, le "
                              "trasmissioni adatte, con la geometria e il disegno di ciascuna; "
                              "con FILE, sulle pulegge del file (come quello di --layout). Va "
                              "scritta da sola o con il file: --design [FILE].");
    case Help::csv:
        return QStringLiteral("Scrive valori separati da virgole, con il punto per i decimali e "
                              "una riga di intestazione; i numeri dati negli argomenti restano "
                              "nel formato della lingua (120,5 in italiano).");
    case Help::layout:
        return QStringLiteral("Il percorso della cinghia sulle pulegge del file, una per riga "
                              "(vedi sotto): lunghezza primitiva, avvolgimenti e tratti; con una "
                              "cinghia dopo il file, dove si monta la puleggia che si muove.");
    case Help::largerPulley:
        return QStringLiteral("Denti dell'ingranaggio maggiore.");
    case Help::smallerPulley:
        return QStringLiteral("Denti dell'ingranaggio minore.");
    case Help::belt:
        break;
    }
    return QStringLiteral("Il codice stampato sulla cinghia (150 per 150XL037, 500 per T5-500, "
                          "600 per 600-5M); non con --belts e --near; con --layout, facoltativa, "
                          "anche come è stampata (384-2GT).");
}

QString helpEpilogue() {
    const geometry::Limits limits;
    QStringList names;
    for (const geometry::BeltProfile &profile : geometry::beltProfiles)
        names << QString::fromUtf8(profile.name.data(), qsizetype(profile.name.size()));
    return QStringLiteral("Profili: %1.\n\n").arg(names.join(QStringLiteral(", "))) +
           QStringLiteral(
               "--belts e --near si usano da soli o insieme (--near tra le cinghie di\n"
               "--belts); --between da solo, o con --ratio e --teeth per cercare le\n"
               "trasmissioni; --from-rpm e --to-rpm insieme al posto di --ratio; --stock\n"
               "con --belts, --near, --between e --ratio; --all e --sound-only con\n"
               "--ratio; --rpm con una cinghia sola, con --ratio o con --layout; --svg\n"
               "e --dxf con una cinghia sola o con --layout (i due disegni in due file\n"
               "diversi; un disegno su \"-\" va da solo, senza --csv, --rpm, --tension,\n"
               "--frequency né --power); --layout con una cinghia o, senza, con --stock\n"
               "e --all (su una corsa), e con --svg, --dxf e --rpm; --tension o\n"
               "--frequency, --mass, --power (con --rpm) e --service-factor (con\n"
               "--power) con una cinghia sola o con --layout, --span con --layout e\n"
               "--frequency; --profile e --csv con ogni forma. Ogni opzione si scrive\n"
               "una volta sola: un'opzione ripetuta, o che la forma non usa, è un errore\n"
               "d'uso.\n\n"
               "Ogni numero intero di denti è una cinghia che si può fare, non per forza\n"
               "una che si vende: --stock limita le cinghie a quelle di un elenco.\n"
               "La ricerca con --ratio elenca prima le trasmissioni senza segni, poi\n"
               "quelle segnate (--sound-only le lascia fuori); in ciascun gruppo prima\n"
               "il rapporto più vicino a quello voluto (il centro dell'intervallo, o dei\n"
               "giri di --to-rpm), poi meno denti sull'ingranaggio maggiore, poi la\n"
               "cinghia più corta, poi meno denti sul minore (con --near, dopo il\n"
               "rapporto l'interasse più vicino); ne mostra le prime 20 (--all tutte,\n"
               "--csv sempre tutte).\n\n") +
           QStringLiteral(
               "Ogni elenco ha al più %1 righe, e una ricerca con --ratio prova al più\n"
               "%2 cinghie (le coppie di ingranaggi per le cinghie provate su ciascuna):\n"
               "oltre, si ferma prima di cominciare, con stato 1, e dice cosa restringere.\n\n")
               .arg(limits.rows)
               .arg(limits.beltsTried) +
           QStringLiteral(
               "Le cinghie elencate sono solo quelle su cui gli ingranaggi girano senza\n"
               "sovrapporsi, scelte per l'interasse effettivo, che tiene conto\n"
               "dell'angolo di avvolgimento; con meno di 6 denti in presa sono segnate\n"
               "(*), e nella ricerca con --ratio anche un ingranaggio minore più piccolo\n"
               "di quanto i costruttori consigliano per il profilo (†). Sono segnate (‡)\n"
               "anche quelle che lasciano tra i cerchi esterni degli ingranaggi meno\n"
               "spazio di quanto ne chiedono due flange alte 0,61 passi.\n"
               "La prima riga è l'interasse effettivo, quello delle tabelle dei\n"
               "costruttori; per XL e L segue l'interasse della finestra, la sua\n"
               "formula approssimata. Gli ingranaggi si danno in qualunque ordine.\n"
               "Un codice in pollici che finisce in mezzo si legge arrotondato nei due\n"
               "modi (202L e 203L); due cinghie MXL con lo stesso codice intero si\n"
               "scrivono con un decimale (1553.6MXL, 1554.4MXL).\n"
               "I numeri si leggono e si scrivono nel formato della lingua\n"
               "dell'utente (LC_NUMERIC); --csv li scrive sempre con il punto, ma quelli\n"
               "degli argomenti si leggono ancora nel formato della lingua (120,5 in\n"
               "italiano).\n\n"
               "Il file di --layout ha una puleggia per riga, nell'ordine in cui la\n"
               "cinghia le incontra, in un verso o nell'altro; # comincia un commento, i\n"
               "numeri hanno il punto o la virgola per i decimali, senza separatori\n"
               "delle migliaia, in ogni lingua:\n"
               "  [nome] X Y DENTI|liscia DIAMETRO [dorso] [folle]\n"
               "                          [scorre X Y|ruota PX PY [DA:A]]\n"
               "  [nome] estremo X Y      un capo di una cinghia aperta: il primo e l'ultimo\n"
               "  profilo NOME            il profilo (-p lo sostituisce)\n"
               "X e Y in mm, y verso l'alto; dorso: sul dorso della cinghia; folle: non\n"
               "porta carico; scorre X Y: la puleggia si muove in linea retta fino a\n"
               "X Y; ruota PX PY DA:A: su un braccio attorno a PX PY, angoli in gradi in\n"
               "senso antiorario da +x (senza DA:A un giro intero). Una puleggia senza\n"
               "nome si chiama con la sua riga. Al più una puleggia si muove: con una\n"
               "cinghia, le posizioni in cui si monta; senza, ogni cinghia che la corsa\n"
               "accoglie (le prime 20, --all tutte). Senza pulegge che si muovono: la\n"
               "lunghezza primitiva e le cinghie più vicine sotto e sopra, o la\n"
               "differenza da quella data (stato 1 se non si monta); una cinghia\n"
               "aperta si taglia a quella lunghezza. Il disegno mostra la prima\n"
               "posizione trovata e la corsa (layer CORSA).\n\n"
               "Geometria (C l'interasse, R e r i raggi primitivi):\n"
               "  denti in presa = denti dell'ingranaggio × angolo di avvolgimento / 360°\n"
               "  diametro esterno = diametro primitivo − 2 × distanza della linea primitiva\n"
               "  tratto libero, la cinghia dritta tra le due tangenze = √(C² − (R − r)²)\n\n"
               "Stato di uscita:\n"
               "  0  fatto\n"
               "  1  calcolo non riuscito (cinghia troppo corta, nessuna cinghia adatta,\n"
               "     elenco o ricerca oltre i limiti, pulegge di --layout che non si\n"
               "     possono montare)\n"
               "  2  uso sbagliato (opzione o valore non valido, ripetuto o non usato)\n"
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

QString fieldNotWholeTeeth(const QString &field) {
    return QStringLiteral("Il valore di \"%1\" deve essere un numero intero di denti, almeno 1.")
        .arg(field);
}

QString fieldNotPositive(const QString &field) {
    return QStringLiteral("Il valore di \"%1\" deve essere maggiore di 0.").arg(field);
}

QString fieldRangeForm(const QString &field, const QString &example) {
    return QStringLiteral("Il valore di \"%1\" si scrive come un numero o come DA:A, dal più "
                          "piccolo al più grande, per esempio %2.")
        .arg(field, example);
}

QString fieldRangeBackwards(const QString &field, const QString &from, const QString &to) {
    return QStringLiteral("Il valore di \"%1\" va dal più piccolo al più grande: %2:%3.")
        .arg(field, from, to);
}

QString fieldBackwards(const QString &from, const QString &to) {
    return QStringLiteral("Il valore di \"%1\" deve essere al più quello di \"%2\".").arg(from, to);
}

QString shortOfPowerLegend(const QString &kilowatts) {
    return QStringLiteral("§ potenza trasmissibile sotto %1 kW, la potenza per il fattore di "
                          "servizio")
        .arg(kilowatts);
}

QString noWidthCarriesLegend(const QString &kilowatts, const QString &profile) {
    return QStringLiteral("§ nessuna larghezza del profilo %1 porta %2 kW, la potenza per il "
                          "fattore di servizio")
        .arg(profile, kilowatts);
}

QString unratedLegend() {
    return QStringLiteral("§ senza cifra: la trasmissione esce dalle tabelle pubblicate (denti, "
                          "giri o lunghezza della cinghia) o ha meno di 2 denti in presa; la "
                          "potenza non si stima");
}

QString allShortOfPower(qint64 leftOut) {
    return QStringLiteral(
               "Nessuna delle %1 trasmissioni trovate porta la potenza per il fattore di "
               "servizio (§): si vedono mostrando anche le trasmissioni segnate; oppure "
               "scegliere una cinghia più larga o ingranaggi più grandi.")
        .arg(leftOut);
}

QString fieldsApart(const QString &first, const QString &second) {
    return QStringLiteral("Il valore di \"%2\" va al posto di quello di \"%1\": scriverne uno "
                          "solo.")
        .arg(first, second);
}

QString fieldNeeds(const QString &field, const QString &needed) {
    return QStringLiteral("Il valore di \"%1\" chiede anche \"%2\".").arg(field, needed);
}

QString fieldWidthNotMade(const QString &field, const QString &belt, const QString &profile,
                          const QStringList &widths) {
    return QStringLiteral("Il valore di \"%1\" chiede una larghezza che si fa: la cinghia %2 non "
                          "si fa, il profilo %3 si fa largo %4; indicarne una nel profilo, per "
                          "esempio %3%5.")
        .arg(field, belt, profile, listed(widths), widths.last());
}

QString fieldMassUnknown(const QString &field, const std::optional<QString> &withWidth) {
    if (withWidth)
        return QStringLiteral("Il valore di \"%1\" serve per il tiro e la frequenza: scrivere la "
                              "massa in kg al metro, o la larghezza nel profilo, per esempio %2.")
            .arg(field, *withWidth);
    return QStringLiteral("Il valore di \"%1\" serve per il tiro e la frequenza: il profilo non "
                          "ha una massa pubblicata, scrivere la massa in kg al metro.")
        .arg(field);
}

QString designerHint() {
    return QStringLiteral("Scrivere i denti dei due ingranaggi o il rapporto voluto, e "
                          "l'interasse voluto o l'intervallo: le trasmissioni compaiono qui.");
}

QString layoutTableName() {
    return QStringLiteral("Tabella");
}

QString layoutCell(int row, const QString &column, const QString &what) {
    return QStringLiteral("Riga %1, %2: %3").arg(row).arg(column, what);
}

QString layoutSizeForm() {
    return QStringLiteral("scrivere i denti, \"liscia\" e il diametro, o \"estremo\".");
}

QString layoutSideForm() {
    return QStringLiteral("scrivere \"denti\" o \"dorso\".");
}

QString layoutTravelForm() {
    return QStringLiteral("scrivere \"scorre X Y\", \"ruota PX PY\" o \"ruota PX PY DA:A\", "
                          "o niente.");
}

QString layoutBadName() {
    return QStringLiteral("un nome comincia con una lettera, non ha spazi e non è una parola "
                          "del file (liscia, dorso, folle, scorre, ruota, estremo, profilo).");
}

QString layoutDragStopped(const QString &why) {
    return QStringLiteral("La puleggia si ferma qui: %1").arg(why);
}

QString layoutKeys() {
    return QStringLiteral("Trascinare una puleggia col mouse; le frecce la spostano di 1 mm "
                          "(0,1 mm con Maiusc), quella che si muove lungo la sua corsa.");
}

QString layoutWarningLegend() {
    return QStringLiteral("* un avvertimento su questa puleggia: lo dice la sua riga");
}

QString layoutPitchLength(const QString &length) {
    return QStringLiteral("Lunghezza primitiva: %1 mm").arg(length);
}

QString layoutNearestBelts(const QStringList &belts) {
    return QStringLiteral("Cinghie più vicine: %1").arg(belts.join(QStringLiteral(", ")));
}

QString layoutBeltsOnTravel(bool stock) {
    return stock ? QStringLiteral("Cinghie dell'elenco che vanno bene sulla corsa:")
                 : QStringLiteral("Cinghie che vanno bene sulla corsa:");
}

QString layoutBeltPlace(const QString &belt, const QString &x, const QString &y, int place,
                        int places) {
    return places > 1
               ? QStringLiteral("Su %1 la puleggia che si muove sta in (%2; %3), "
                                "posizione %4 di %5.")
                     .arg(belt, x, y)
                     .arg(place)
                     .arg(places)
               : QStringLiteral("Su %1 la puleggia che si muove sta in (%2; %3).").arg(belt, x, y);
}

QString layoutFileOpened(const QString &file) {
    return QStringLiteral("Aperta %1.").arg(file);
}

QString layoutFileSaved(const QString &file) {
    return QStringLiteral("Salvata %1.").arg(file);
}

QString layoutNotWritten(const QString &file, const QString &reason) {
    return QStringLiteral("La disposizione non si è potuta scrivere in %1: %2.").arg(file, reason);
}

QString layoutFileFilter() {
    return QStringLiteral("Disposizioni (*.trasmissione);;Tutti i file (*)");
}

QString layoutTableTooFewPulleys() {
    return QStringLiteral("La tabella ha meno di due pulegge: ne servono almeno due, una per "
                          "riga, per esempio: motore 0 0 20.");
}

QString layoutNotReadBack() {
    return QStringLiteral("così il file salvato non si potrebbe rileggere: scrivere un nome più "
                          "corto.");
}

QString layoutBeyondFile() {
    return QStringLiteral("più in là un file non ne rileggerebbe le coordinate.");
}

QString layoutSpanToChoose() {
    return QStringLiteral("I tratti hanno lunghezze diverse: scegliere in \"del tratto\" quello "
                          "di cui si è misurata la frequenza.");
}

QString layoutOnlyFiles(NotAFile kind) {
    const char *const kinds[] = {"una pipe con nome", "una cartella", "un dispositivo", "un socket",
                                 "qualcosa che non è un file"};
    return QStringLiteral("è %1, e la finestra apre solo file")
        .arg(QString::fromUtf8(kinds[static_cast<int>(kind)]));
}

QString layoutUnsavedQuestion() {
    return QStringLiteral("Salvare le modifiche?");
}

QString layoutUnsavedDetail() {
    return QStringLiteral("Le modifiche alla disposizione vanno perse se non si salvano.");
}

QString searching() {
    return QStringLiteral("Ricerca in corso…");
}

QString searchFailed(bool outOfMemory) {
    return outOfMemory ? QStringLiteral("La memoria non basta per questa ricerca: restringere "
                                        "l'intervallo, il rapporto, i denti o l'elenco di cinghie.")
                       : QStringLiteral("La ricerca si è fermata per un errore interno del "
                                        "programma: cambiare un campo per riprovarla.");
}

QString drivesFound(qsizetype count, const QString &command) {
    return (count == 1 ? QStringLiteral("Una trasmissione.")
                       : QStringLiteral("%1 trasmissioni.").arg(count)) +
           QStringLiteral(" Nel terminale: %1").arg(command);
}

QString noBeltInStock(const QString &profile, const std::optional<QString> &shortestBelt) {
    const QString none =
        QStringLiteral("Nessuna cinghia %1 dell'elenco gira su questi ingranaggi").arg(profile);
    return shortestBelt
               ? none + QStringLiteral(": la più corta su cui girano è %1.").arg(*shortestBelt)
               : none + u'.';
}

QString smallPulleyLegend(const QString &profile, int fewest) {
    return QStringLiteral("† ingranaggio minore di meno di %1 denti, il minimo che i costruttori "
                          "consigliano per il profilo %2")
        .arg(fewest)
        .arg(profile);
}

QString tableNotWritten(const QString &file, const QString &reason) {
    return QStringLiteral("La tabella non si è potuta scrivere in %1: %2.").arg(file, reason);
}

QString writingTable(qsizetype count, const QString &file) {
    return QStringLiteral("Scrittura della tabella di %1 righe in %2…").arg(count).arg(file);
}

QString tableWritten(qsizetype count, const QString &file) {
    return QStringLiteral("Tabella di %1 righe scritta in %2.").arg(count).arg(file);
}

QString memoryShort() {
    return QStringLiteral("la memoria non basta");
}

QString stockListFilter() {
    return QStringLiteral("Elenchi di cinghie (*.txt);;Tutti i file (*)");
}

} // namespace messages
