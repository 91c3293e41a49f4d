// Helpers shared by the game state's tests: a private working directory (the game reads and
// writes "highscore" there), file bytes, and a fixture that starts a game on the recording host.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GameHost.h"
#include "GameState.h"
#include "Player.h"

using Bytes = std::vector<unsigned char>;

// A fresh, empty directory that is the working directory for as long as the object lives.
class TempWorkingDirectory {
public:
    TempWorkingDirectory() : previous(std::filesystem::current_path())
    {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        for (int attempt = 0;; ++attempt) {
            path = std::filesystem::temp_directory_path() /
                   ("vantor-test-" + std::to_string(stamp) + "-" + std::to_string(attempt));
            if (std::filesystem::create_directory(path)) {
                break;
            }
        }
        std::filesystem::current_path(path);
    }
    ~TempWorkingDirectory()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path, ignored);
    }
    TempWorkingDirectory(const TempWorkingDirectory&) = delete;
    TempWorkingDirectory& operator=(const TempWorkingDirectory&) = delete;

    const std::filesystem::path& Path() const { return path; }
    // Names of everything in the directory, sorted.
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path previous;
    std::filesystem::path path;
};

inline void WriteBytes(const std::filesystem::path& file, const Bytes& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A game on the recording host in a private working directory; Start() when the test has set up
// the host and the directory.
class GameTest : public ::testing::Test {
protected:
    CGameState& Start()
    {
        game = static_cast<CGameState*>(host.StartGame());
        return *game;
    }

    // Ends the running game the way the player's last hit does.
    void EndGame()
    {
        game->player->lives = -1;
        game->RebuildHud();
        game->ShowGameOver();
    }

    TempWorkingDirectory directory;
    GameHost host;
    CGameState* game = nullptr;
};
