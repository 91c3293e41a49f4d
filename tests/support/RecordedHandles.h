// The paths image and sound handles were loaded from, as the plug-in wrote them: the call log
// names a handle by its path. Whether a handle is still loaded is the host service's to say.
#pragma once

#include <functional>
#include <map>
#include <string>

class RecordedHandles {
public:
    using IsLoaded = std::function<bool(int)>;

    explicit RecordedHandles(IsLoaded loaded) : isLoaded(std::move(loaded)) {}

    void Keep(int handle, const std::string& path) { paths[handle] = path; }

    // How the log names a handle: its path while loaded, "<invalid N>" otherwise.
    std::string Text(int handle) const
    {
        return isLoaded(handle) ? Path(handle) : "<invalid " + std::to_string(handle) + ">";
    }
    // The path a handle was loaded from, loaded now or not; "" for one never given out.
    std::string Path(int handle) const
    {
        const auto found = paths.find(handle);
        return found == paths.end() ? "" : found->second;
    }
    // The loaded handle of a path (the latest), or -1.
    int LoadedHandleOf(const std::string& path) const
    {
        for (auto entry = paths.rbegin(); entry != paths.rend(); ++entry) {
            if (entry->second == path && isLoaded(entry->first)) {
                return entry->first;
            }
        }
        return -1;
    }

private:
    IsLoaded isLoaded;
    std::map<int, std::string> paths;   // every handle given out
};
