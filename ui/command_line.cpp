#include "ui/command_line.h"

#include "geometry/belt_profile.h"
#include "geometry/belt_search.h"
#include "geometry/number_text.h"
#include "ui/calculation.h"
#include "ui/messages.h"

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

double pitchOf(const QString &name) {
    for (const geometry::BeltProfile &profile : geometry::beltProfiles)
        if (name.compare(QLatin1String(profile.name.data(), qsizetype(profile.name.size())),
                         Qt::CaseInsensitive) == 0)
            return profile.pitch;
    throw UsageError{
        QStringLiteral("Profilo \"%1\" sconosciuto: scrivere XL037 o L075.").arg(name)};
}

struct CodeRange {
    std::int64_t first = 1;
    std::int64_t last = geometry::largestBeltCode;
};

CodeRange codeRange(const QString &text) {
    const QStringList ends = text.split(u':');
    bool firstRead = false, lastRead = false;
    CodeRange range;
    if (ends.size() == 2) {
        range.first = ends[0].trimmed().toLongLong(&firstRead);
        range.last = ends[1].trimmed().toLongLong(&lastRead);
    }
    if (!firstRead || !lastRead || range.first > range.last)
        throw UsageError{QStringLiteral("L'intervallo di --belts si scrive DA:A, con due codici "
                                        "interi dal più piccolo, per esempio 100:400.")};
    return range;
}

// Numbers as the window shows them, or with "." for a spreadsheet.
class Writer {
public:
    Writer(QTextStream &out, bool csv, const QLocale &locale, double pitch)
        : m_out(out), m_csv(csv), m_separator(csv ? "." : locale.decimalPoint().toStdString()),
          m_profile(profileName(pitch)) {}

    bool csv() const { return m_csv; }

    QString number(double value, const char *pattern) const {
        return QString::fromStdString(geometry::formatNumber(value, pattern, m_separator));
    }
    QString distance(double value) const { return number(value, "######.##"); }
    QString difference(double value) const {
        const QString text = number(value, "0.00");
        return value > 0 && text != number(0, "0.00") ? u'+' + text : text;
    }
    // A belt as it is printed on it (150XL037), or its code alone for a spreadsheet.
    QString belt(std::int64_t code) const {
        return m_csv ? QString::number(code) : QString::number(code) + m_profile;
    }
    // A length with its unit, which a spreadsheet has in the column's heading instead.
    QString millimetres(const QString &value) const {
        return m_csv ? value : value + QStringLiteral(" mm");
    }
    QString lengthHeading(const QString &name) const {
        return m_csv ? name + QStringLiteral("_mm") : name;
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

private:
    static int cellWidth(qsizetype column) { return column == 0 ? 12 : column == 1 ? 6 : 14; }

    QTextStream &m_out;
    bool m_csv;
    std::string m_separator;
    QString m_profile;
};

int showResults(const QStringList &inputs, double pitch, Writer &write, QTextStream &out,
                QTextStream &err, const QLocale &locale) {
    const Calculation result = calculate(inputs[0], inputs[1], inputs[2], pitch, locale);
    // The user typed the inputs in their own format; a spreadsheet gets the results with ".".
    const auto dotted = [&](const std::optional<QString> &text) {
        if (!text)
            return QString();
        return write.csv() ? QString(*text).replace(locale.decimalPoint(), QStringLiteral("."))
                           : *text;
    };
    if (write.csv()) {
        write.row({QStringLiteral("interasse_mm"), QStringLiteral("M/m"), QStringLiteral("m/M")});
        write.row(
            {dotted(result.centreDistance), dotted(result.ratio), dotted(result.inverseRatio)});
    } else {
        if (result.centreDistance)
            out << QStringLiteral("interasse: ") << *result.centreDistance << " mm\n";
        if (result.ratio)
            out << QStringLiteral("M/m: ") << *result.ratio << '\n';
        if (result.inverseRatio)
            out << QStringLiteral("m/M: ") << *result.inverseRatio << '\n';
    }
    if (result.error.isEmpty())
        return 0;
    err << result.error << '\n';
    return result.unreadableInput ? wrongUse : calculationError;
}

int listBelts(double z1, double z2, double pitch, CodeRange range, Writer &write, QTextStream &out,
              QTextStream &err) {
    const std::optional<geometry::Belt> shortest = geometry::shortestBelt(z1, z2, pitch);
    if (!shortest) {
        err << messages::beltTooShort(profileName(pitch), std::nullopt) << '\n';
        return calculationError;
    }
    const geometry::BeltRange belts =
        geometry::beltsBetween(z1, z2, pitch, range.first, range.last);
    // From which belt on these pulleys have a centre distance; a spreadsheet gets rows only.
    if (range.first < shortest->code)
        (write.csv() ? err : out)
            << QStringLiteral("Le cinghie più corte di %1%2 sono troppo corte per questi "
                              "ingranaggi.")
                   .arg(shortest->code)
                   .arg(profileName(pitch))
            << '\n';
    write.row({QStringLiteral("cinghia"), QStringLiteral("denti"),
               write.lengthHeading(QStringLiteral("interasse"))});
    for (std::int64_t teeth = belts.firstTeeth; teeth <= belts.lastTeeth; ++teeth) {
        const geometry::Belt belt = geometry::beltWithTeeth(z1, z2, pitch, teeth);
        write.row({write.belt(belt.code), QString::number(belt.teeth),
                   write.millimetres(write.distance(belt.centreDistance))});
    }
    return 0;
}

int nearestBelts(double z1, double z2, double pitch, double wanted, CodeRange range, Writer &write,
                 QTextStream &err) {
    const geometry::NearestBelts nearest =
        geometry::nearestBelts(z1, z2, pitch, wanted, range.first, range.last);
    if (!nearest.below && !nearest.above) {
        err << messages::beltTooShort(profileName(pitch), std::nullopt) << '\n';
        return calculationError;
    }
    write.row({QStringLiteral("cinghia"), QStringLiteral("denti"),
               write.lengthHeading(QStringLiteral("interasse")),
               write.lengthHeading(QStringLiteral("differenza"))});
    for (const auto &belt : {nearest.below, nearest.above}) {
        if (belt)
            write.row({write.belt(belt->code), QString::number(belt->teeth),
                       write.millimetres(write.distance(belt->centreDistance)),
                       write.millimetres(write.difference(belt->centreDistance - wanted))});
    }
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
        "  interasse 36 14 150                 interasse e rapporti con la cinghia 150XL037\n"
        "  interasse 36 14 150 --profile L075  lo stesso con la cinghia 150L075\n"
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
        QStringLiteral("Profilo della cinghia: XL037 (se non indicato) o L075."),
        QStringLiteral("profilo"), QStringLiteral("XL037"));
    const QCommandLineOption belts(
        QStringLiteral("belts"),
        QStringLiteral("Elenca le cinghie in commercio con codice da DA ad A che vanno bene "
                       "per questi ingranaggi."),
        QStringLiteral("DA:A"));
    const QCommandLineOption near(
        QStringLiteral("near"),
        QStringLiteral("Trova le cinghie in commercio il cui interasse è più vicino a MM "
                       "millimetri: la più vicina sotto e la più vicina sopra."),
        QStringLiteral("MM"));
    const QCommandLineOption csv(
        QStringLiteral("csv"),
        QStringLiteral("Scrive valori separati da virgole, con il punto per i decimali e "
                       "una riga di intestazione."));
    parser.addOptions({profile, belts, near, csv});
    parser.addPositionalArgument(QStringLiteral("maggiore"),
                                 QStringLiteral("Denti dell'ingranaggio maggiore."));
    parser.addPositionalArgument(QStringLiteral("minore"),
                                 QStringLiteral("Denti dell'ingranaggio minore."));
    parser.addPositionalArgument(
        QStringLiteral("cinghia"),
        QStringLiteral("Il numero stampato sulla cinghia prima del profilo (150 per "
                       "150XL037); non con --belts e --near."),
        QStringLiteral("[cinghia]"));

    try {
        if (!parser.parse(arguments))
            throw UsageError{parser.errorText()};
        if (parser.isSet(help)) {
            out << parser.helpText();
            return 0;
        }
        if (parser.isSet(version)) {
            out << QCoreApplication::applicationName() << ' '
                << QCoreApplication::applicationVersion() << '\n';
            return 0;
        }
        const double pitch = pitchOf(parser.value(profile));
        const QStringList inputs = parser.positionalArguments();
        const bool searches = parser.isSet(belts) || parser.isSet(near);
        if (inputs.size() != (searches ? 2 : 3))
            throw UsageError{
                searches ? QStringLiteral("Con --belts e --near servono solo i denti dei due "
                                          "ingranaggi, per esempio: interasse 36 14 --near 120")
                         : QStringLiteral("Servono i denti dei due ingranaggi e il codice della "
                                          "cinghia, per esempio: interasse 36 14 150")};
        Writer write(out, parser.isSet(csv), locale, pitch);
        if (!searches)
            return showResults(inputs, pitch, write, out, err, locale);

        const CodeRange range = parser.isSet(belts) ? codeRange(parser.value(belts)) : CodeRange{};
        try {
            const double z1 = readInput(inputs[0], messages::largerPulley, locale);
            const double z2 = readInput(inputs[1], messages::smallerPulley, locale);
            if (parser.isSet(near))
                return nearestBelts(z1, z2, pitch,
                                    readInput(parser.value(near), messages::centreDistance, locale),
                                    range, write, err);
            return listBelts(z1, z2, pitch, range, write, out, err);
        } catch (const Failure &error) {
            err << error.message << '\n';
            return wrongUse;
        }
    } catch (const UsageError &error) {
        err << error.message << '\n' << QStringLiteral("Per l'uso: interasse --help") << '\n';
        return wrongUse;
    }
}
