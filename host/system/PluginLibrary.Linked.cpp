// Plug-ins linked into the program (the web page, the RetroArch core): their factories found by
// name in a table rather than in a loaded file (for the page, loading a side module would need SDL
// and the C++ library rebuilt as position-independent code, for a page that ships both plug-ins
// anyway; the core is one file a frontend loads).
#include "system/PluginLibrary.h"

#include <iterator>
#include <string_view>

class CVantorEntity;
class CVantorInput;

extern "C" CVantorEntity* CreateVantorEntity(const char* className);
extern "C" CVantorInput* CreateVantorInputObject();

namespace {

struct LinkedExport {
    std::string_view library;
    std::string_view name;
    void* address;
};

const LinkedExport kLinkedExports[] = {
    {"Pellam", "CreateVantorEntity", reinterpret_cast<void*>(&CreateVantorEntity)},
    {"VantorDirectInput", "CreateVantorInputObject", reinterpret_cast<void*>(&CreateVantorInputObject)},
};

}  // namespace

const bool CPluginLibrary::kLinkedIn = true;

CPluginLibrary::~CPluginLibrary() = default;

bool CPluginLibrary::Open(const std::filesystem::path& file, std::string& error)
{
    const std::string library = file.filename().string();
    for (const LinkedExport& entry : kLinkedExports) {
        if (entry.library == library) {
            handle = const_cast<LinkedExport*>(&entry);
            return true;
        }
    }
    error = "not part of this program";
    return false;
}

void* CPluginLibrary::Export(const char* name) const
{
    const auto* opened = static_cast<const LinkedExport*>(handle);
    if (opened == nullptr) {
        return nullptr;
    }
    for (const LinkedExport& entry : kLinkedExports) {
        if (entry.library == opened->library && entry.name == name) {
            return entry.address;
        }
    }
    return nullptr;
}

std::string CPluginLibrary::FileName(const std::string& name)
{
    return name;
}
