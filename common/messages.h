#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// What the program tells its users, in the window and on the command line alike.
namespace messages {

// The headings of the three inputs of the window, and of the command line's other values,
// which name them wherever a value is wrong.
inline constexpr const char *inputHeadings[] = {"ingranaggio maggiore",
                                                "ingranaggio minore",
                                                "cinghia",
                                                "interasse",
                                                "rapporto",
                                                "denti",
                                                "giri"};
enum Input { largerPulley, smallerPulley, belt, centreDistance, ratio, teeth, speed };

QString heading(Input input);
QString whatToType(Input input);
QString emptyField(Input input);
QString notANumber(Input input, const QString &decimalSeparator);
QString outOfRange(Input input, bool negative, const QString &decimalSeparator);
// The same of any field, named by its heading.
QString emptyField(const QString &field, const QString &whatToType);
QString notANumber(const QString &field, const QString &decimalSeparator);
QString outOfRange(const QString &field, bool negative, const QString &decimalSeparator);
// shortestBelt: the shortest made belt on which these pulleys run, as printed, if any.
QString beltTooShort(const QString &profile, const std::optional<QString> &shortestBelt);
// For pulleys with part of a tooth, on which no made belt runs to be named.
QString beltTooShortForThesePulleys();
QString pulleyWithoutTeeth(Input input);
QString resultTooLarge();

// The true geometry of the command line.
QString pulleyNotWhole(Input input);
QString noSuchBelt(const QString &profile, const QString &code);
QString smallPulley(Input input, const QString &teeth, const QString &profile, int fewest);
// A range of an option, FROM:TO: how it is written, and one given backwards.
QString rangeForm(const QString &option, const QString &example);
QString rangeBackwards(const QString &option, const QString &from, const QString &to);
// The forms that a design search and a slot take.
QString designSearchForm();
QString designWindowAlone();
QString slotForm();
QString optionsApart(const QString &first, const QString &second);
QString speedOnlyForOneBelt();
// Who reads a sentence that names what to change: the command line names its options.
enum class Reader { commandLine, window };
// --from-rpm without --to-rpm, or the other way round; driven speeds on both sides of the
// driving one (the options, or the fields' headings).
QString speedsTogether();
QString drivenSpeedsAround(const QString &from, const QString &to,
                           Reader reader = Reader::commandLine);
QString soundOnlyForDesigns();
QString drawingOnlyForOneBelt();
QString oneDrawingOnTheOutput();
QString sameDrawingFile(const QString &file);
// A drawing that would replace a file the command reads (option and file, each as typed), and
// a drawing's option without its file.
QString drawingOverInput(const QString &drawingOption, const QString &drawing,
                         const QString &inputOption, const QString &input);
QString drawingWithoutFile(const QString &option);
// A file option whose file was left out, the next option taken for it.
QString fileMissing(const QString &option, const QString &typed);
// An option given twice, or one that the form asked for would leave unused.
QString optionRepeated(const QString &option);
QString stockOnlyForLists();
QString allOnlyForDesigns();
QString profilesAlone();
QString drawingNotWritten(const QString &file, const QString &reason);
// Why a file written in place, its folder letting no other take its place, failed.
QString writtenInPlace(const QString &reason);
// Why no file is made in the devices' folder, to follow a colon.
QString noNewFileAmongDevices(const QString &folder);
// The teeth of a search's pulleys out of their bounds; name: the option, or the field's heading.
QString notWholeTeeth(const QString &name, int most, Reader reader = Reader::commandLine);
// A ratio, or the smaller pulley's speed, not above 0.
QString notPositive(const QString &name, Reader reader = Reader::commandLine);
QString speedNotPositive(const QString &name, Reader reader = Reader::commandLine);
// A design search that finds nothing, and what to widen. bySpeeds: the ratio was asked as
// the shafts' speeds, and is changed there.
QString noDesign(bool anyPulleys, bool stock, bool near, Reader reader = Reader::commandLine,
                 bool bySpeeds = false);
// One whose every drive found needs a mark, all of them left out.
QString onlyMarkedDesigns(qint64 leftOut, bool near, Reader reader = Reader::commandLine,
                          bool bySpeeds = false);
QString moreDesigns(qsizetype more);
// A list or a search past its limits, refused before the work, and what to narrow.
QString tooManyDesigns(qint64 most, bool near, bool stock, Reader reader = Reader::commandLine,
                       bool bySpeeds = false);
QString tooManyBelts(qint64 most, bool slot, bool stock, Reader reader = Reader::commandLine);
QString searchTooLong(qint64 mostBeltsTried, Reader reader = Reader::commandLine,
                      bool bySpeeds = false);
// Why a file could not be opened, read or written, from the system's error number (errno):
// Italian words for the common failures, to follow a colon; nothing for the rare ones, which
// are left unsaid rather than said in another language.
QString fileFailure(int error, bool writing = false);
// A stock list that cannot be read (reason: as fileFailure says it, or nothing), one longer
// than the most that is read, a line of it that names no belt (quoted in part where long),
// and one of belts of other profiles only.
QString stockUnreadable(const QString &file, const QString &reason);
QString stockTooLong(const QString &file, qint64 mostBytes);
QString stockLineNoBelt(const QString &file, int line, const QString &text);
QString stockOfOtherProfiles(const QString &file, const QString &profile, const QStringList &others,
                             Reader reader = Reader::commandLine);
QString stockWithoutFile();
QString beltCannotGoRound(const QString &belt, const std::optional<QString> &shortestBelt);
QString pitchCirclesOverlap(const QString &belt, const std::optional<QString> &shortestBelt);
// A whole code that two belts round to, and how to name each: its code in the user's format.
struct SharedCodeBelt {
    QString name;
    qint64 teeth;
    QString code;
};
QString sharedCode(const QString &code, const SharedCodeBelt &shorter,
                   const SharedCodeBelt &longer);
// A width not in its profile's form: inch widths in hundredths, metric ones in mm.
QString widthMisread(const QString &typed, const QString &profile, bool inch);
QString fewTeethInMesh(const QString &teeth);
QString fewTeethInMeshLegend();
// The room between the pulleys' outside circles and the room two flanges need, both in mm.
QString noRoomForFlanges(const QString &gap, const QString &room);
QString noRoomForFlangesLegend(const QString &room);
QString beltsBelowShortest(const QString &shortestBelt);
QString noBeltInSlot(const QString &profile, const QString &from, const QString &to,
                     const std::optional<QString> &shortestBelt, bool stock);
// codes: the first and the last code as typed, if a range was.
QString noBeltInRange(const QString &profile,
                      const std::optional<std::pair<QString, QString>> &codes,
                      const std::optional<QString> &shortestBelt, bool stock = false);
QString outputFailed(const QString &reason);
// A layout's file: one that cannot be read or is longer than the most that is read, one of
// fewer than two pulleys, and what is wrong on one of its lines (layoutLine before it).
QString layoutUnreadable(const QString &file, const QString &reason);
QString layoutTooLong(const QString &file, qint64 mostBytes);
QString layoutTooFewPulleys(const QString &file);
QString layoutLine(const QString &file, int line, const QString &what);
// How an unnamed entry is called: by its line.
QString layoutLineNumber(int line);
// The name a written file gives an entry that has none, after its place in the belt's order.
QString layoutEntryName(bool clamp, int place);
QString layoutLineNotEntry(const QString &text);
QString layoutNotANumber(const QString &typed);
QString layoutBadTeeth();
QString layoutBadDiameter();
QString layoutBadAngles(const QString &typed);
QString layoutProfileTwice(int firstLine);
QString layoutUnknownProfile(const QString &typed);
QString layoutTooManyEntries(int most);
QString layoutNameTwice(const QString &name, int firstLine);
QString layoutTwoMovable(int firstLine);
QString layoutMisplacedClamp();
QString layoutBadTravel();
// An arm's two angles that are one: no arc (a whole turn is written without angles).
QString layoutNoArc(const QString &typed);
// A file without a profilo line, solved in this profile.
QString layoutDefaultProfile(const QString &file, const QString &profile);
// A layout that cannot be built, its entries named as sentences call them.
QString layoutNoBeltFigures(const QString &entry, const QString &profile);
QString layoutOverlap(const QString &first, const QString &second);
QString layoutUntouched(const QString &entry);
QString layoutSpansCross(const QString &first, const QString &second);
QString layoutNowhere(const QString &movable);
// A belt for a layout: of another profile than the layout's; one that does not fit a fixed
// layout, by so many mm; none of the profile (or of the stock list) that fits the travel,
// whose lengths run from..to mm; one that fits nowhere on it, and the belts that do.
QString layoutBeltOfOtherProfile(const QString &belt, const QString &beltProfile,
                                 const QString &profile);
// nearest: the made belt whose code is the nearest below that one, as printed.
QString layoutNoSuchBelt(const QString &profile, const QString &code,
                         const std::optional<QString> &nearest);
QString layoutBeltMisfit(const QString &belt, const QString &difference, bool longer);
QString layoutNoBeltFits(const QString &profile, const QString &movable, const QString &from,
                         const QString &to, bool stock);
QString layoutBeltFitsNowhere(const QString &belt, const QString &movable, const QString &shortest,
                              const QString &longest, bool stock);
QString tooManyLayoutBelts(qint64 most, bool stock);
QString moreLayoutBelts(qsizetype more);
// A layout's answer: which of its two solutions follows, where the movable entry stands.
QString layoutSolution(int number, int of);
QString layoutMovedTo(const QString &movable, const QString &x, const QString &y);
// A layout's warnings; a small idler in teeth or, for a plain or back-side one, in mm.
QString layoutFewTeethInMesh(const QString &entry, const QString &teeth);
QString layoutLittleWrap(const QString &entry, const QString &degrees, const QString &least);
QString layoutSmallIdler(const QString &entry, const QString &size, const QString &least,
                         bool teeth, const QString &profile);
QString fewTeethOnLoadLegend();
// A toothed pulley of fewer teeth than its profile's makers recommend, as the two pulleys' form
// says it.
QString layoutSmallPulley(const QString &entry, const QString &teeth, const QString &profile,
                          int fewest);
// A travel's belts that would take more solving than the most, in belts times entries.
QString layoutSolvingTooLong(qint64 most, bool stock, Reader reader = Reader::commandLine);
// A belt that fits nowhere on a travel that takes one belt only.
QString layoutOneBeltFits(const QString &belt, const QString &movable, const QString &fitting,
                          bool stock);
// The form of --layout, and the option without its file.
QString layoutForm();
QString layoutWithoutFile();
// --all and --stock where the layout's answer is one belt, or the two nearest its length.
QString layoutAllUnused();
QString layoutStockWithBelt();
// The belt's loads: options that go with one belt or a layout only, or with another; what to
// type for a load's value (option: as typed, example: in the user's format), and one not
// above 0.
QString loadsOnlyForOneBelt(const QString &option);
QString spanOnlyForLayoutFrequency();
QString powerNeedsSpeed();
QString serviceFactorNeedsPower();
QString massNeedsTension();
QString loadToType(const QString &option, const QString &example);
QString loadNotPositive(const QString &option, const QString &example);
// A value above 0 that its four decimals round to 0.
QString loadRoundedToZero(const QString &option, const QString &example);
// No mass for the frequency: the profile's name with an example width (T5-10) where the
// profile has a published unit mass, nothing where it has none.
QString massUnknown(const QString &profile, const std::optional<QString> &withWidth);
// A width that the profile is not made in, with those it is (as the name prints them).
QString widthNotMade(const QString &belt, const QString &profile, const QStringList &widths);
// The slack side leaving the teeth at this static tension, and the least that keeps it on
// (N, in the user's format).
QString slackSideLeaves(const QString &tension, const QString &least);
QString noRatingFormula(const QString &profile);
// A width that no published table of the profile prints, with those that are (mm, in the
// user's format) and one of them as an example.
QString widthNotPrinted(const QString &belt, const QString &profile, const QStringList &widths);
// Where a published table stops rating the belt (profile and width), and why: before its first
// column or past its last (grooves), past its last row (rpm), at a blank cell, or for a belt
// not among its lengths (teeth); the entry of a layout where one is named.
QString tableStartsAt(const QString &belt, int first, int grooves,
                      const std::optional<QString> &entry);
QString tableEndsAtGrooves(const QString &belt, int last, int grooves,
                           const std::optional<QString> &entry);
QString tableEndsAtRpm(const QString &belt, const QString &last, const QString &rpm,
                       const std::optional<QString> &entry);
QString tableCellBlank(const QString &belt, int grooves, const QString &rpm,
                       const std::optional<QString> &entry);
QString lengthNotListed(const QString &belt, qint64 teeth);
// What the maker's table says of the cells read: shorter life, a pulley to use only where it
// must, special pulleys, noise.
QString cellReducedLife();
QString cellOnlyIfRequired();
QString cellSpecialPulleys();
QString cellNoise();
// No maker's row of tension constants for the belt: the least tension is given instead, where
// its mass is known.
QString noTensionToSet(const QString &belt, bool leastGiven);
// The deflection force of a belt whose maker publishes no stiffness for it: a taut string's.
QString noStiffnessTerm(const QString &belt);
// Fewer than two teeth in mesh to rate the belt by, on the pulley named (a layout's entry).
QString tooFewTeethToRate(const QString &teeth, const std::optional<QString> &entry = {});
// No made width carries power × service factor (kW), the widest with its rating.
QString noWidthCarries(const QString &power, const QString &widest, const QString &rating);
// A layout's measured span: --span needed where the spans differ, and one that no two
// neighbouring entries make; example: the first span, as --span names it.
QString spanNeeded(const QString &example);
QString spanUnknown(const QString &typed, const QString &example);
// A --span that two pairs of neighbours spell, their names joined by "-".
QString spanAmbiguous(const QString &typed, const std::pair<QString, QString> &first,
                      const std::pair<QString, QString> &second);
// The loads of a layout whose entry moves, asked without the belt that places it.
QString layoutLoadsNeedBelt();
// The entry whose speed is given is no pulley of the layout.
QString layoutSpeedOfUnknown(const QString &name);
// What the page of layouts' pane of loads is for, while it is empty.
QString layoutLoadsHint();
// The command line's own words.
QString unknownProfile(const QString &typed, const QString &names);
QString searchTakesTwoPulleys();
QString oneBeltTakesThreeValues();
// Where to read how the command line is used, after a message of wrong use.
QString usageHint();

// The command line's help: what it does, each option and value, and what follows the list.
enum class Help {
    description,
    help,
    profile,
    profiles,
    belts,
    near,
    between,
    ratio,
    fromRpm,
    toRpm,
    teeth,
    soundOnly,
    stock,
    rpm,
    all,
    svg,
    dxf,
    csv,
    design,
    layout,
    tension,
    frequency,
    span,
    mass,
    power,
    serviceFactor,
    largerPulley,
    smallerPulley,
    belt,
};
QString help(Help text);
QString helpEpilogue();

// Why the window cannot open; the command line still answers.
enum class WindowProblem {
    noProgramFolder,    // the program cannot tell where it is installed
    missing,            // its module is not there
    notAFile,           // something other than a regular file is there
    notForThisComputer, // not a shared library made for this computer
    damaged,            // shorter than its own header says
    notLoaded,          // the system's loader refused it; detail says why
    noEntryPoint,       // a library, but not the window's module
    noDisplay,          // no display to open it on
};
QString windowUnavailable(WindowProblem problem, const QString &file = {},
                          const QString &detail = {});

// The designer's window: a field named by its heading, what it says while it searches and
// what it found.
QString fieldNotWholeTeeth(const QString &field);
QString fieldNotPositive(const QString &field);
QString fieldBackwards(const QString &from, const QString &to);
// Two fields of which one is given, not both; a field that asks for another; a tension or a
// frequency without a mass that the profile can give.
// A drive whose belt does not carry the power times the service factor (kilowatts as
// printed): at the width of the profile typed, or at any of the profile's made widths.
QString shortOfPowerLegend(const QString &kilowatts);
QString noWidthCarriesLegend(const QString &kilowatts, const QString &profile);
// A drive that the published tables do not reach, or with too few teeth in mesh: no figure.
QString unratedLegend();
// Every drive found left out, none carrying the power times the service factor.
QString allShortOfPower(qint64 leftOut);
QString fieldsApart(const QString &first, const QString &second);
QString fieldNeeds(const QString &field, const QString &needed);
// A power asked of a belt whose width, typed in the profile, is not made.
QString fieldWidthNotMade(const QString &field, const QString &belt, const QString &profile,
                          const QStringList &widths);
QString fieldMassUnknown(const QString &field, const std::optional<QString> &withWidth);
// A field that takes one value or FROM:TO, typed otherwise or backwards.
QString fieldRangeForm(const QString &field, const QString &example);
QString fieldRangeBackwards(const QString &field, const QString &from, const QString &to);
QString designerHint();
// The designer's page of layouts: a cell of its table that is no value, named with its row and
// column; what a cell of the size, the side and the travel takes; a name that cannot be one.
QString layoutTableName();
QString layoutCell(int row, const QString &column, const QString &what);
QString layoutSizeForm();
QString layoutSideForm();
QString layoutTravelForm();
QString layoutBadName();
// Under the drawing: why a dragged pulley stops, what the keys do, the mark of a warning.
QString layoutDragStopped(const QString &why);
QString layoutKeys();
QString layoutWarningLegend();
// Beside it: the path's length, the made belts nearest it, the belts a travel takes, where
// the movable pulley sits on the chosen belt.
QString layoutPitchLength(const QString &length);
QString layoutNearestBelts(const QStringList &belts);
QString layoutBeltsOnTravel(bool stock);
QString layoutBeltPlace(const QString &belt, const QString &x, const QString &y, int place,
                        int places);
QString layoutFileOpened(const QString &file);
QString layoutFileSaved(const QString &file);
QString layoutNotWritten(const QString &file, const QString &reason);
QString layoutFileFilter();
// The table's own words: too few pulleys; an edit that would save a file that is not read back;
// a drag past the numbers that a file holds; a measured frequency whose span is to be chosen.
QString layoutTableTooFewPulleys();
QString layoutNotReadBack();
QString layoutBeyondFile();
QString layoutSpanToChoose();
// What the page of layouts will not open: anything but a regular file, by its kind, as the
// reason of layoutUnreadable.
enum class NotAFile { fifo, folder, device, socket, other };
QString layoutOnlyFiles(NotAFile kind);
// Asked before edits not saved are dropped, by another file opened or the window closed.
QString layoutUnsavedQuestion();
QString layoutUnsavedDetail();
QString searching();
// A search that failed in a way no question explains: memory that ran out, or a fault.
QString searchFailed(bool outOfMemory);
// count drives found, and the command that lists them in a terminal.
QString drivesFound(qsizetype count, const QString &command);
QString noBeltInStock(const QString &profile, const std::optional<QString> &shortestBelt);
QString smallPulleyLegend(const QString &profile, int fewest);
QString tableNotWritten(const QString &file, const QString &reason);
// A table of count drives being written to a file beside the window, and written.
QString writingTable(qsizetype count, const QString &file);
QString tableWritten(qsizetype count, const QString &file);
QString memoryShort();
QString stockListFilter();

} // namespace messages
