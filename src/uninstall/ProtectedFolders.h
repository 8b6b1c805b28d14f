#pragma once
#include <string>
#include <vector>

// The platform's own folders, which an uninstall never removes nor schedules for removal,
// whatever its log says: drive roots; the Windows, System, Temp, Program Files and Common Files
// folders and the Windows folder's own (Temp, SystemTemp, ...); the profiles, the user's profile
// and the all-users folders; every folder the shell names for the user and for all users (Start
// menu, Programs, Startup, Desktop, Documents, ...); and every folder that holds one of them.
// Folders are compared by what they are (their final path), not by how a log spells them.
// What an install made inside them goes as before.
class ProtectedFolders {
public:
    // Gathers the folders of this machine and of `Setup`.
    ProtectedFolders();

    bool Contains(const std::string& folder) const;

private:
    void Add(const std::string& folder);

    std::vector<std::string> identities_;
};
