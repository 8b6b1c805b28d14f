#include "setupdata/ScriptNames.h"

#include "base/FormatText.h"

std::string ProgramFilesSection(int disk) { return FormatText("ProgramFiles%02d", disk); }
std::string MediaNamesSection(int disk) { return FormatText("MediaNames%02d", disk); }
