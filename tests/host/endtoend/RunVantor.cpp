// Running vantor from a test.
#include "RunVantor.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

std::string Quote(const std::string& text)
{
    std::string out = "'";
    for (const char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

JsonValue RunResult::Frame(std::size_t index) const
{
    JsonValue value;
    EXPECT_TRUE(ParseJson(lines.at(index), value)) << lines.at(index);
    return value;
}

RunResult RunVantor(const CTempDirectory& work, const std::string& script, const std::string& arguments,
                    const std::string& environment, const std::filesystem::path& program)
{
    const std::filesystem::path scriptFile = work.Path() / "input.txt";
    const std::filesystem::path traceFile = work.Path() / "trace.jsonl";
    const std::filesystem::path outputFile = work.Path() / "output.txt";
    const std::filesystem::path errorFile = work.Path() / "errors.txt";
    std::filesystem::remove(traceFile);
    {
        std::ofstream(scriptFile) << script;
    }
    const std::string command = "cd " + Quote(work.Path().string()) + " && " + environment + " " + kEmulator + " " +
                                Quote(program.string()) + " " + arguments + " >" + Quote(outputFile.string()) +
                                " 2>" + Quote(errorFile.string());
    const int raw = std::system(command.c_str());
    RunResult run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    run.output = ReadText(outputFile);
    run.errors = ReadText(errorFile);
    std::istringstream trace(ReadText(traceFile));
    for (std::string line; std::getline(trace, line);) {
        run.lines.push_back(line);
    }
    return run;
}

std::string TraceText(const CTempDirectory& work, const std::string& name)
{
    return ReadText(work.Path() / name);
}

Bitmap ReadShot(const CTempDirectory& work, const std::string& name)
{
    const std::string text = ReadText(work.Path() / name);
    Bitmap shot;
    std::string error;
    EXPECT_TRUE(DecodeBmp({text.begin(), text.end()}, shot, error)) << name << ": " << error;
    return shot;
}
