// Start-up shared by both front ends.
#include "session/HostSession.h"

#include <cstdio>
#include <cstdlib>

#include "system/HostConsole.h"

namespace {
constexpr const char* kGameModule = "Pellam";
constexpr const char* kInputModule = "VantorDirectInput";
constexpr const char* kEntityFactoryName = "CreateVantorEntity";
constexpr const char* kInputFactoryName = "CreateVantorInputObject";

bool GameModuleIn(const std::filesystem::path& directory)
{
    if (CPluginLibrary::kLinkedIn || !kInstalledUnderPrefix) {
        return true;   // a missing module is then named beside the executable, where it belongs
    }
    std::error_code code;
    // Anything of that name counts, so that a damaged one is named rather than passed over.
    return std::filesystem::exists(directory / CPluginLibrary::FileName(kGameModule), code);
}
}  // namespace

namespace {
std::string lastProblem;
}  // namespace

void ReportProblem(const std::string& message)
{
    // Messages may quote files (a path, a replay's text): no control character of theirs reaches
    // the terminal, where it could move the cursor, retitle or clear it.
    std::string line;
    // As bytes: char is unsigned on arm64 and signed on x86-64, and bytes of UTF-8 pass as they are.
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(byte));
            line.append(escaped);
        } else {
            line.push_back(c);
        }
    }
    std::fprintf(stderr, "vantor: %s\n", line.c_str());
    std::fflush(stderr);
    lastProblem = line;
}

const std::string& LastProblem()
{
    return lastProblem;
}

CHostSession::CHostSession(const std::filesystem::path& executableDirectory)
    : CHostSession(LayoutFor(executableDirectory, GameModuleIn(executableDirectory)))
{
}

CHostSession::CHostSession(const HostLayout& layout)
    : pluginDirectory(layout.pluginDirectory),
      dataDirectory(layout.dataDirectory),
      graphics(dataDirectory),
      sound(dataDirectory, silence),
      engine(graphics, sound)
{
    // During start-up failed loads are collected, to name the one that stopped the game; later
    // (a restart) each is reported as it happens.
    auto report = [this](const std::string& message) {
        if (started) {
            ReportProblem(message);
        } else {
            loadFailures.push_back(message);
        }
    };
    graphics.SetLoadReporter(report);
    sound.SetLoadReporter(report);
    engine.SetFatalHandler([](const std::string& message) {
        ReportProblem(message + "; cannot go on");
        HostConsoleShowFailure(LastProblem());   // a player without a terminal sees it too
        std::exit(EXIT_FAILURE);
    });
}

std::filesystem::path CHostSession::GameModuleFile() const
{
    return pluginDirectory / CPluginLibrary::FileName(kGameModule);
}

bool CHostSession::LoadPlugins(std::string& error)
{
    const std::filesystem::path gameFile = GameModuleFile();
    const std::filesystem::path inputFile = pluginDirectory / CPluginLibrary::FileName(kInputModule);
    std::string reason;
    if (!gameLibrary.Open(gameFile, reason)) {
        error = "cannot load the game module " + gameFile.string() + ": " + reason;
        return false;
    }
    entityFactory = reinterpret_cast<EntityFactory>(gameLibrary.Export(kEntityFactoryName));
    if (entityFactory == nullptr) {
        error = "the game module " + gameFile.string() + " does not export " + kEntityFactoryName;
        return false;
    }
    if (!inputLibrary.Open(inputFile, reason)) {
        error = "cannot load the input plug-in " + inputFile.string() + ": " + reason;
        return false;
    }
    inputFactory = reinterpret_cast<InputFactory>(inputLibrary.Export(kInputFactoryName));
    if (inputFactory == nullptr) {
        error = "the input plug-in " + inputFile.string() + " does not export " + kInputFactoryName;
        return false;
    }
    engine.SetFactory(entityFactory);
    return true;
}

bool CHostSession::StartInput(std::string& error)
{
    input = inputFactory();
    if (input == nullptr) {
        error = std::string("the input plug-in's ") + kInputFactoryName + " made no input object";
        return false;
    }
    if (!input->Initialize(&engine)) {
        error = "the input plug-in could not open the keyboard and mouse (Initialize failed)";
        return false;
    }
    engine.SetInput(input);
    return true;
}

bool CHostSession::CheckData(std::string& error) const
{
    std::error_code code;
    if (!std::filesystem::is_directory(dataDirectory, code)) {
        error = "the game's data directory " + dataDirectory.string() + " is missing: " + kKeepFilesTogether;
        return false;
    }
    return true;
}

bool CHostSession::StartGame(std::string& error)
{
    gameState = entityFactory(kGameStateClass);
    if (gameState == nullptr) {
        error = std::string("the game module made no \"") + kGameStateClass + "\" entity";
        return false;
    }
    loadFailures.clear();
    const bool attached = engine.AddEntity(gameState, kGameStateClass);
    started = true;
    if (!attached) {
        error = "the game could not start: " +
                (loadFailures.empty() ? std::string("its Attach failed") : loadFailures.back());
        return false;
    }
    for (const std::string& failure : loadFailures) {
        ReportProblem("warning: " + failure);   // a digit image, say: the game runs without it
    }
    return true;
}
