#pragma once
#include <string>

#include "toolkit/Control.h"
#include "toolkit/Handler.h"

// A drop-down list of the machine's drives, shown as "c:". Volume names are not asked for:
// a drive without a medium, or one that may not be read, would stall or fail the asking. Choosing a drive runs the change handler at the form's dispatch point.
class DriveComboBox : public Control {
public:
    DriveComboBox(Container& parent, const Bounds& bounds, const FontSpec* font, Handler onChange);

    // The lower-case letter of the chosen drive; 0 when none is chosen.
    char Drive() const;
    // Chooses the drive of `letter` (either case) without running the change handler.
    void SetDrive(char letter);
    // Chooses the drive as the user does, running the change handler.
    void ChooseDrive(char letter);
    // The letters listed, lower case, in order.
    const std::string& Drives() const { return drives_; }
    // Reads the machine's drives again.
    void ReadDrives();

    void OnCommand(WORD code) override;

private:
    int IndexOf(char letter) const;

    std::string drives_;
    Handler onChange_;
};

// The text an entry shows for a drive: "c:".
std::string DriveEntryText(char letter);
// Drive letters as the list holds them: lower case.
char LowerDriveLetter(char letter);
