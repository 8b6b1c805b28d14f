#include "setupdata/ScriptNames.h"

#include "toolkit/FormatText.h"

std::string ProgramFilesSection(int disk) { return FormatText("ProgramFiles%02d", disk); }
