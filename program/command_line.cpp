#include "program/command_line.h"

#include "geometry/belt_profile.h"
#include "geometry/belt_search.h"
#include "geometry/centre_distance.h"
#include "geometry/current_pitch.h"
#include "geometry/errors.h"
#include "geometry/number_text.h"
#include "geometry/open_drive.h"
#include "program/calculation.h"
#include "program/messages.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <optional>

namespace {

constexpr int calculationError = 1;
constexpr int wrongUse = 2;

// Wrong use: the message goes to standard error, with where to read how it is used.
struct UsageError {
    QString message;
};

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString profileNames() {
    QStringList names;
    for (const geometry::BeltProfile &profile : geometry::beltProfiles)
        names << fromView(profile.name);
    return names.join(QStringLiteral(", "));
}

geometry::ProfileChoice profileNamed(const QString &name) {
    const std::optional<geometry::ProfileChoice> choice = geometry::readProfile(name.toStdString());
    if (!choice)
        throw UsageError{QStringLiteral("Profilo \"%1\" sconosciuto: i profili sono %2 "
                                        "(interasse --profiles).")
                             .arg(name, profileNames())};
    if (!geometry::hasValidWidth(*choice))
        throw UsageError{messages::widthMisread(
            name, fromView(choice->profile->name),
            choice->profile->family == geometry::BeltFamily::inchTrapezoidal)};
    return *choice;
}

QString beltNamed(const geometry::ProfileChoice &profile, std::int64_t teeth) {
    return QString::fromStdString(geometry::beltName(profile, teeth));
}

// The window's formula belongs to the window's two profiles.
bool isWindowProfile(const geometry::ProfileChoice &choice) {
    return geometry::windowProfileWithPitch(choice.profile->pitch) != nullptr;
}

// A negative number is a value, not a cluster of options: it is hidden from the parser
// behind a mark that no typed number holds.
constexpr QChar negativeMark(0xE000);

QStringList markNegativeNumbers(QStringList arguments, const QStringList &takingValues) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool isValue = takingValues.contains(arguments[i - 1]);
        if (argument == QStringLiteral("--"))
            break;
        if (!isValue && argument.size() > 1 && argument[0] == u'-' &&
            (argument[1].isDigit() || argument[1] == u'.' || argument[1] == u','))
            arguments[i].prepend(negativeMark);
    }
    return arguments;
}

QString unmarked(QString text) {
    return text.startsWith(negativeMark) ? text.mid(1) : text;
}

struct CodeRange {
    double first = 1;
    double last = geometry::largestBeltCode;
    QString firstText, lastText;
};

CodeRange codeRange(const QString &text, const QLocale &locale) {
    const QStringList ends = text.split(u':');
    if (ends.size() != 2)
        throw UsageError{QStringLiteral("L'intervallo di --belts si scrive DA:A, dal codice più "
                                        "piccolo al più grande, per esempio 100:400.")};
    CodeRange range;
    try {
        range.first = readInput(ends[0], messages::belt, locale);
        range.last = readInput(ends[1], messages::belt, locale);
    } catch (const Failure &failure) {
        throw UsageError{failure.message};
    }
    if (range.first > range.last)
        throw UsageError{QStringLiteral("L'intervallo di --belts va dal codice più piccolo al più "
                                        "grande: %1:%2.")
                             .arg(ends[1].trimmed(), ends[0].trimmed())};
    range.firstText = ends[0].trimmed();
    range.lastText = ends[1].trimmed();
    return range;
}

// Numbers as the window shows them, or with "." for a spreadsheet.
class Writer {
public:
    Writer(QTextStream &out, bool csv, const QLocale &locale, geometry::ProfileChoice profile)
        : m_out(out), m_csv(csv), m_separator(csv ? "." : locale.decimalPoint().toStdString()),
          m_profile(std::move(profile)) {}

    bool csv() const { return m_csv; }
    bool failed() const { return m_out.status() != QTextStream::Ok; }
    QTextStream &stream() { return m_out; }

    QString number(double value, const char *pattern) const {
        return QString::fromStdString(geometry::formatNumber(value, pattern, m_separator));
    }
    QString twoDecimals(double value) const { return number(value, "0.00"); }
    // A belt's code as the user types it back: its decimals, if any, in the user's format.
    QString code(double value) const { return number(value, "0.#"); }
    // As few decimals as tell the value, with the digits 0 to 9 that the reader reads.
    QString shortest(double value) const {
        return QString::number(value, 'f', QLocale::FloatingPointShortest)
            .replace(u'.', QString::fromStdString(m_separator));
    }
    QString difference(double value) const {
        const QString text = twoDecimals(value);
        return value > 0 && text != twoDecimals(0) ? u'+' + text : text;
    }
    // Fewer teeth in mesh than a belt needs are marked, and the legend tells why.
    QString teethInMesh(double teeth) {
        const bool few = teeth < geometry::fewestTeethInMesh;
        m_marked = m_marked || few;
        return m_csv || !few ? twoDecimals(teeth) : twoDecimals(teeth) + QStringLiteral(" *");
    }
    // A belt as it is printed on it (150XL037), or its code alone for a spreadsheet.
    QString belt(std::int64_t teeth) const {
        return m_csv ? QString::number(geometry::beltCode(*m_profile.profile, teeth), 'f',
                                       QLocale::FloatingPointShortest)
                     : QString::fromStdString(geometry::beltName(m_profile, teeth));
    }
    // A length with its unit, which a spreadsheet has in the column's heading instead.
    QString millimetres(const QString &value) const {
        return m_csv ? value : value + QStringLiteral(" mm");
    }
    QString heading(const QString &name, const char *unit = nullptr) const {
        if (!m_csv)
            return name;
        QString column = name;
        column.replace(u' ', u'_');
        return unit ? column + u'_' + QLatin1String(unit) : column;
    }

    // One line of a table: comma-separated, or in columns wide enough for long numbers.
    void row(const QStringList &cells) {
        if (m_csv) {
            m_out << cells.join(u',') << '\n';
            return;
        }
        QString line;
        for (qsizetype i = 0; i < cells.size(); ++i)
            line += i + 1 < cells.size()
                        ? cells[i].leftJustified(cellWidth(i)) + QStringLiteral("  ")
                        : cells[i];
        m_out << line << '\n';
    }
    // The tables of made belts: their headings, and a row for each belt, with its difference
    // from the wanted distance when there is one.
    void beltHeadings(bool withDifference) {
        QStringList headings{heading(QStringLiteral("cinghia")), heading(QStringLiteral("denti")),
                             heading(QStringLiteral("interasse"), "mm"),
                             heading(QStringLiteral("denti in presa"))};
        if (withDifference)
            headings << heading(QStringLiteral("differenza"), "mm");
        row(headings);
    }
    void beltRow(const geometry::Belt &belt, std::optional<double> wanted = std::nullopt) {
        QStringList cells{this->belt(belt.teeth), QString::number(belt.teeth),
                          millimetres(twoDecimals(belt.drive.centreDistance)),
                          teethInMesh(belt.drive.teethInMesh)};
        if (wanted)
            cells << millimetres(difference(belt.drive.centreDistance - *wanted));
        row(cells);
    }
    void legend() {
        if (m_marked && !m_csv)
            m_out << messages::fewTeethInMeshLegend() << '\n';
    }

private:
    static int cellWidth(qsizetype column) {
        static constexpr int widths[] = {18, 6, 14, 14};
        return widths[std::min<qsizetype>(column, 3)];
    }

    QTextStream &m_out;
    bool m_csv;
    std::string m_separator;
    geometry::ProfileChoice m_profile;
    bool m_marked = false;
};

// Every profile: its name, pitch, what its code measures and a belt as printed; in columns,
// or comma-separated for a spreadsheet.
void listProfiles(Writer &write) {
    static constexpr const char *codeMeanings[] = {"lunghezza in decimi di pollice",
                                                   "lunghezza in mm", "lunghezza in mm",
                                                   "lunghezza in mm", "lunghezza in mm"};
    const auto line = [&](const QString &name, const QString &pitch, const QString &code,
                          const QString &example) {
        if (write.csv())
            write.row({name, pitch, code, example});
        else
            write.stream() << name.leftJustified(8) << pitch.leftJustified(11)
                           << code.leftJustified(32) << example << '\n';
    };
    line(write.heading(QStringLiteral("profilo")), write.heading(QStringLiteral("passo"), "mm"),
         write.csv() ? QStringLiteral("codice") : QStringLiteral("il codice è la"),
         write.heading(QStringLiteral("esempio")));
    for (const geometry::BeltProfile &profile : geometry::beltProfiles) {
        line(fromView(profile.name), write.millimetres(write.shortest(profile.pitch)),
             QString::fromUtf8(codeMeanings[static_cast<int>(profile.family)]),
             QString::fromStdString(geometry::beltName({&profile, {}}, 100)));
    }
}

// What is wrong with these pulleys for any belt, if anything.
std::optional<QString> unbuildablePulleys(double z1, double z2) {
    for (const auto &[teeth, input] :
         {std::pair{z1, messages::largerPulley}, std::pair{z2, messages::smallerPulley}})
        if (!geometry::isWholeTeeth(teeth))
            return messages::pulleyNotWhole(input);
    return std::nullopt;
}

// The true geometry of that belt, and what is wrong with it if anything.
struct TrueGeometry {
    std::optional<geometry::OpenDrive> drive;
    QString complaint; // why the drive cannot be built, or carries too little; empty if sound
    bool unbuildable = false; // a made belt on which these pulleys cannot run
    bool ambiguous = false;   // a code that names two belts
};

TrueGeometry trueGeometry(double z1, double z2, double code, const QString &codeText,
                          const geometry::ProfileChoice &profile, const Writer &write) {
    TrueGeometry result;
    if (const std::optional<QString> pulleys = unbuildablePulleys(z1, z2)) {
        result.complaint = *pulleys;
        return result;
    }
    const std::vector<std::int64_t> teeth = geometry::teethOfCode(*profile.profile, code);
    const auto sharedCodeBelt = [&](std::int64_t count) {
        return messages::SharedCodeBelt{beltNamed(profile, count), count,
                                        write.code(geometry::beltCode(*profile.profile, count))};
    };
    if (teeth.size() != 1) {
        result.complaint =
            teeth.empty()
                ? messages::noSuchBelt(QString::fromStdString(geometry::profileName(profile)),
                                       codeText.trimmed())
                : messages::sharedCode(codeText.trimmed(), sharedCodeBelt(teeth[0]),
                                       sharedCodeBelt(teeth[1]));
        result.ambiguous = teeth.size() > 1;
        return result;
    }
    const auto beltTeeth = static_cast<double>(teeth[0]);
    const double pitch = profile.profile->pitch;
    const geometry::Unsound unsound = geometry::soundness(z1, z2, beltTeeth, pitch);
    if (unsound != geometry::Unsound::none) {
        // The window's profiles are answered with the window's message before this.
        result.unbuildable = true;
        const QString name = beltNamed(profile, teeth[0]);
        result.complaint = unsound == geometry::Unsound::tooShort
                               ? messages::beltCannotGoRound(name, shortestBeltName(z1, z2, profile))
                               : messages::pitchCirclesOverlap(name, shortestBeltName(z1, z2, profile));
        return result;
    }
    result.drive = geometry::openDrive(z1, z2, beltTeeth, pitch);
    if (result.drive->teethInMesh < geometry::fewestTeethInMesh)
        result.complaint = messages::fewTeethInMesh(write.twoDecimals(result.drive->teethInMesh));
    return result;
}

// interasse Z1 Z2 CODE: the true geometry of that belt; for the window's profiles the
// window's own figure too, labelled as such. A belt on which the pulleys cannot run is
// answered as the window answers it, with nothing on standard output.
int oneBelt(QStringList inputs, const geometry::ProfileChoice &profile, Writer &write,
            QTextStream &out, QTextStream &err, const QLocale &locale) {
    const bool window = isWindowProfile(profile);
    double z1 = 0, z2 = 0, code = 0;
    try {
        z1 = readInput(inputs[0], messages::largerPulley, locale);
        z2 = readInput(inputs[1], messages::smallerPulley, locale);
        code = readInput(inputs[2], messages::belt, locale);
    } catch (const Failure &failure) {
        err << failure.message << '\n';
        return wrongUse;
    }
    // M is the larger pulley, whichever is given first.
    if (z1 > 0 && z2 > 0 && z1 < z2) {
        std::swap(z1, z2);
        inputs.swapItemsAt(0, 1);
    }
    Calculation shown;
    if (window) {
        shown = calculate(inputs[0], inputs[1], inputs[2], profile.profile->pitch, locale);
        if (!shown.error.isEmpty()) {
            err << shown.error << '\n';
            return calculationError;
        }
    }
    const TrueGeometry truth = trueGeometry(z1, z2, code, inputs[2], profile, write);
    if (truth.ambiguous) {
        err << truth.complaint << '\n';
        return wrongUse;
    }
    if (truth.unbuildable || (!window && !truth.drive)) {
        err << truth.complaint << '\n';
        return calculationError;
    }
    if (!window) {
        // The window's patterns belong to the window's results.
        shown.ratio = write.twoDecimals(geometry::ratio(z1, z2));
        shown.inverseRatio = write.twoDecimals(geometry::ratio(z2, z1));
    }
    const auto cell = [&](const std::optional<QString> &text) {
        return !text         ? QString()
               : write.csv() ? QString(*text).replace(locale.decimalPoint(), QStringLiteral("."))
                             : *text;
    };
    const auto driveValue = [&](double geometry::OpenDrive::*value) {
        return truth.drive ? std::optional(write.twoDecimals((*truth.drive).*value))
                           : std::nullopt;
    };
    struct Line {
        QString label;
        std::optional<QString> value;
        const char *unit;
        const char *csvUnit;
    };
    std::vector<Line> lines{{QStringLiteral("interasse effettivo"),
                             driveValue(&geometry::OpenDrive::centreDistance), " mm", "mm"}};
    if (window)
        lines.push_back(
            {QStringLiteral("interasse della finestra"), shown.centreDistance, " mm", "mm"});
    lines.push_back({QStringLiteral("M/m"), shown.ratio, "", nullptr});
    lines.push_back({QStringLiteral("m/M"), shown.inverseRatio, "", nullptr});
    lines.push_back({QStringLiteral("angolo di avvolgimento sul minore"),
                     driveValue(&geometry::OpenDrive::wrapAngle), "°", "gradi"});
    lines.push_back({QStringLiteral("denti in presa sul minore"),
                     driveValue(&geometry::OpenDrive::teethInMesh), "", nullptr});

    if (write.csv()) {
        QStringList headings, cells;
        for (const Line &line : lines) {
            headings << write.heading(line.label, line.csvUnit);
            cells << cell(line.value);
        }
        write.row(headings);
        write.row(cells);
    } else {
        for (const Line &line : lines)
            if (line.value)
                out << line.label << QStringLiteral(": ") << *line.value
                    << QString::fromUtf8(line.unit) << '\n';
    }
    out.flush(); // the results first, then what is wrong with them
    if (!truth.complaint.isEmpty())
        err << truth.complaint << '\n';
    return 0;
}

// The belts of a search on these pulleys; fails with the reason when there is none.
struct Search {
    double z1, z2;
    const geometry::ProfileChoice &profile;
    const CodeRange &range;
    bool limited; // by --belts
};

std::optional<QString> emptySearch(const Search &search, const geometry::BeltRange &belts) {
    if (const std::optional<QString> pulleys = unbuildablePulleys(search.z1, search.z2))
        return pulleys;
    if (belts.firstTeeth <= belts.lastTeeth)
        return std::nullopt;
    return messages::noBeltInRange(QString::fromStdString(geometry::profileName(search.profile)),
                                   search.limited ? search.range.firstText : QStringLiteral("1"),
                                   search.limited ? search.range.lastText
                                                  : QString::number(geometry::largestBeltCode),
                                   shortestBeltName(search.z1, search.z2, search.profile));
}

int listBelts(const Search &search, Writer &write, QTextStream &err) {
    const geometry::BeltProfile &profile = *search.profile.profile;
    const geometry::BeltRange belts = geometry::beltsBetween(search.z1, search.z2, profile,
                                                             search.range.first, search.range.last);
    if (const std::optional<QString> reason = emptySearch(search, belts)) {
        err << *reason << '\n';
        return calculationError;
    }
    // From which belt on these pulleys run; a spreadsheet gets rows only.
    const geometry::Belt shortest = *geometry::shortestBelt(search.z1, search.z2, profile);
    if (search.range.first < shortest.code)
        (write.csv() ? err : write.stream())
            << messages::beltsBelowShortest(
                   QString::fromStdString(geometry::beltName(search.profile, shortest.teeth)))
            << '\n';
    write.beltHeadings(false);
    for (std::int64_t teeth = belts.firstTeeth; teeth <= belts.lastTeeth && !write.failed();
         ++teeth)
        write.beltRow(geometry::beltWithTeeth(search.z1, search.z2, profile, teeth));
    write.legend();
    return 0;
}

int nearestBelts(const Search &search, double wanted, Writer &write, QTextStream &err) {
    const geometry::BeltProfile &profile = *search.profile.profile;
    const geometry::NearestBelts nearest = geometry::nearestBelts(
        search.z1, search.z2, profile, wanted, search.range.first, search.range.last);
    if (!nearest.below && !nearest.above) {
        err << *emptySearch(search, geometry::BeltRange{1, 0}) << '\n';
        return calculationError;
    }
    write.beltHeadings(true);
    for (const auto &belt : {nearest.below, nearest.above})
        if (belt)
            write.beltRow(*belt, wanted);
    write.legend();
    return 0;
}

} // namespace

int runCommandLine(const QStringList &arguments, QTextStream &out, QTextStream &err,
                   const QLocale &locale) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Calcola l'interasse tra due pulegge unite da una cinghia dentata.\n"
        "Senza argomenti apre la finestra.\n\n"
        "Esempi:\n"
        "  interasse 36 14 150                 interasse e rapporti con la cinghia 150XL037,\n"
        "                                      come nella finestra, e la geometria effettiva\n"
        "  interasse 36 14 150 --profile L075  lo stesso con la cinghia 150L075\n"
        "  interasse 20 60 400 -p GT2          la cinghia 400-2GT\n"
        "  interasse 36 14 --belts 100:400     le cinghie in commercio dal codice 100 al 400\n"
        "  interasse 36 14 --near 120          le cinghie con l'interasse più vicino a 120 mm\n"
        "  interasse 36 14 --near 120 --csv    lo stesso in valori separati da virgole"));
    // Qt's own help option has no Italian text.
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Mostra questa guida."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption profile(
        QStringList{QStringLiteral("p"), QStringLiteral("profile")},
        QStringLiteral("Profilo della cinghia, con o senza la larghezza: XL037 (se non "
                       "indicato), L075, T5-10, 5M-15, GT2 ... (vedi --profiles)."),
        QStringLiteral("profilo"), QStringLiteral("XL037"));
    const QCommandLineOption profiles(QStringLiteral("profiles"),
                                      QStringLiteral("Elenca i profili conosciuti."));
    const QCommandLineOption belts(
        QStringLiteral("belts"),
        QStringLiteral("Elenca le cinghie in commercio con codice da DA ad A (fino a "
                       "922337203685477) che girano su questi ingranaggi; per i profili "
                       "metrici il codice è la lunghezza in mm."),
        QStringLiteral("DA:A"));
    const QCommandLineOption near(
        QStringLiteral("near"),
        QStringLiteral("Trova le cinghie in commercio il cui interasse effettivo è più vicino "
                       "a MM millimetri: la più vicina sotto e la più vicina sopra; con --belts, "
                       "solo tra quelle."),
        QStringLiteral("MM"));
    const QCommandLineOption csv(
        QStringLiteral("csv"),
        QStringLiteral("Scrive valori separati da virgole, con il punto per i decimali e "
                       "una riga di intestazione."));
    parser.addOptions({profile, profiles, belts, near, csv});
    parser.addPositionalArgument(QStringLiteral("maggiore"),
                                 QStringLiteral("Denti dell'ingranaggio maggiore."));
    parser.addPositionalArgument(QStringLiteral("minore"),
                                 QStringLiteral("Denti dell'ingranaggio minore."));
    parser.addPositionalArgument(
        QStringLiteral("cinghia"),
        QStringLiteral("Il codice stampato sulla cinghia (150 per 150XL037, 500 per T5-500, "
                       "600 per 600-5M); non con --belts e --near."),
        QStringLiteral("[cinghia]"));

    try {
        const QStringList valueOptions{QStringLiteral("-p"), QStringLiteral("--profile"),
                                       QStringLiteral("--belts"), QStringLiteral("--near")};
        if (!parser.parse(markNegativeNumbers(arguments, valueOptions)))
            throw UsageError{parser.errorText()};
        if (parser.isSet(help)) {
            out << parser.helpText() << '\n'
                << QStringLiteral("Profili: %1.\n\n").arg(profileNames())
                << QStringLiteral(
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
            return 0;
        }
        if (parser.isSet(version)) {
            out << QCoreApplication::applicationName() << ' '
                << QCoreApplication::applicationVersion() << '\n';
            return 0;
        }
        const geometry::ProfileChoice choice = profileNamed(unmarked(parser.value(profile)));
        if (parser.isSet(profiles)) {
            Writer write(out, parser.isSet(csv), locale, choice);
            listProfiles(write);
            return 0;
        }
        QStringList inputs = parser.positionalArguments();
        for (QString &input : inputs)
            input = unmarked(input);
        const bool searches = parser.isSet(belts) || parser.isSet(near);
        if (inputs.size() != (searches ? 2 : 3))
            throw UsageError{
                searches ? QStringLiteral("Con --belts e --near servono solo i denti dei due "
                                          "ingranaggi, per esempio: interasse 36 14 --near 120")
                         : QStringLiteral("Servono i denti dei due ingranaggi e il codice della "
                                          "cinghia, per esempio: interasse 36 14 150")};
        Writer write(out, parser.isSet(csv), locale, choice);
        if (!searches)
            return oneBelt(inputs, choice, write, out, err, locale);

        const CodeRange range =
            parser.isSet(belts) ? codeRange(unmarked(parser.value(belts)), locale) : CodeRange{};
        double z1 = 0, z2 = 0, wanted = 0;
        try {
            z1 = readInput(inputs[0], messages::largerPulley, locale);
            z2 = readInput(inputs[1], messages::smallerPulley, locale);
            if (parser.isSet(near))
                wanted = readInput(unmarked(parser.value(near)), messages::centreDistance, locale);
        } catch (const Failure &error) {
            throw UsageError{error.message};
        }
        const Search search{z1, z2, choice, range, parser.isSet(belts)};
        return parser.isSet(near) ? nearestBelts(search, wanted, write, err)
                                  : listBelts(search, write, err);
    } catch (const UsageError &error) {
        err << error.message << '\n' << QStringLiteral("Per l'uso: interasse --help") << '\n';
        return wrongUse;
    }
}
