#pragma once
#include <string>
#include <vector>

// The platform's own folders, which an uninstall never removes nor schedules for removal,
// whatever its log says: drive roots; the Windows, System, Temp, Program Files and Common Files
// folders; the profiles, the user's profile and the all-users folders; the shell's Start menu,
// Programs and Desktop folders of the user and of all users; and every folder that holds one of
// them. What an install made inside them goes as before.
class ProtectedFolders {
public:
    // Gathers the folders of this machine and of `Setup`.
    ProtectedFolders();

    bool Contains(const std::string& folder) const;

private:
    void Add(const std::string& folder);

    std::vector<std::string> identities_;
};
