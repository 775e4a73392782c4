#pragma once

namespace cli {

class Writer;

// interasse --profiles: every profile, its pitch, what its code measures and a belt as
// printed; in columns, or comma-separated for a spreadsheet.
void listProfiles(Writer &write);

} // namespace cli
