#include "cli/profile_list.h"

#include "cli/writer.h"

namespace cli {

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
        line(QString::fromUtf8(profile.name.data(), qsizetype(profile.name.size())),
             write.millimetres(write.shortest(profile.pitch)),
             QString::fromUtf8(codeMeanings[static_cast<int>(profile.family)]),
             QString::fromStdString(geometry::beltName({&profile, {}}, 100)));
    }
}

} // namespace cli
