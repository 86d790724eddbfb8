#include "settings/restoreswap.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace tw::settings {

namespace {

const char* const kStagingPrefix = ".twrestore.";
const char* const kJournalHeader = "TWSWAP 1";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Stem(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return Lower(dot == std::string::npos ? name : name.substr(0, dot));
}

std::string Extension(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : Lower(name.substr(dot));
}

// The files the table engine keeps for one table.
bool IsTableFile(const std::string& name, bool withJournals)
{
    const std::string ext = Extension(name);
    return ext == ".dbf" || ext == ".dbt" || ext == ".twi"
        || (withJournals && (ext == ".twr" || ext == ".twj"));
}

std::vector<std::string> RegularFiles(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

[[noreturn]] void Fail(const std::string& what, const std::string& path)
{
    throw std::runtime_error("Cannot " + what + " " + path + ": " + std::strerror(errno));
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        Fail("open the folder", folder);
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    if (!ok)
        Fail("flush the folder", folder);
}

void WriteDurably(const std::string& path, const std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        Fail("create", path);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            Fail("write", path);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        ::close(fd);
        Fail("flush", path);
    }
    ::close(fd);
}

struct Journal {
    std::string staging;                                     // folder name inside the database folder
    std::vector<std::pair<std::string, std::string>> moves;  // staged name -> live name
    std::vector<std::string> removes;
};

std::string Format(const Journal& j)
{
    std::string text = std::string(kJournalHeader) + "\t" + j.staging + "\n";
    for (const auto& [from, to] : j.moves)
        text += "move\t" + from + "\t" + to + "\n";
    for (const std::string& name : j.removes)
        text += "remove\t" + name + "\n";
    return text + "end\n";
}

// A name of a file directly in the database folder; anything else in a
// journal means it is not ours.
bool PlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

Journal Parse(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string line;
    Journal j;
    bool ended = false;
    auto bad = [&] { return std::runtime_error("The restore journal " + path + " is damaged"); };
    if (!std::getline(in, line) || line.rfind(std::string(kJournalHeader) + "\t", 0) != 0)
        throw bad();
    j.staging = line.substr(std::strlen(kJournalHeader) + 1);
    if (!PlainName(j.staging))
        throw bad();
    while (std::getline(in, line)) {
        std::vector<std::string> parts;
        std::stringstream fields(line);
        for (std::string part; std::getline(fields, part, '\t');)
            parts.push_back(part);
        if (parts.size() == 1 && parts[0] == "end") {
            ended = true;
            break;
        }
        if (parts.size() == 3 && parts[0] == "move" && PlainName(parts[1]) && PlainName(parts[2]))
            j.moves.emplace_back(parts[1], parts[2]);
        else if (parts.size() == 2 && parts[0] == "remove" && PlainName(parts[1]))
            j.removes.push_back(parts[1]);
        else
            throw bad();
    }
    if (!ended)
        throw bad();
    return j;
}

void Step(const std::function<void(const std::string&)>& onStep, const std::string& step)
{
    if (onStep)
        onStep(step);
}

// Every step may be done already: a rename whose staged file is gone was
// made, a removed file is gone.
void Perform(const std::string& folder, const Journal& j,
             const std::function<void(const std::string&)>& onStep)
{
    const std::string staging = folder + "/" + j.staging;
    for (const auto& [from, to] : j.moves) {
        const std::string source = staging + "/" + from;
        if (!fs::exists(fs::symlink_status(source)))
            continue;
        Step(onStep, "move " + to);
        if (::rename(source.c_str(), (folder + "/" + to).c_str()) != 0)
            Fail("put in place", folder + "/" + to);
    }
    for (const std::string& name : j.removes) {
        const std::string path = folder + "/" + name;
        if (!fs::exists(fs::symlink_status(path)))
            continue;
        Step(onStep, "remove " + name);
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            Fail("remove", path);
    }
    Step(onStep, "flush");
    SyncFolder(folder);
    Step(onStep, "journal");
    if (::unlink((folder + "/" + kSwapJournalName).c_str()) != 0 && errno != ENOENT)
        Fail("remove", folder + "/" + kSwapJournalName);
    SyncFolder(folder);
    std::error_code ignored;
    fs::remove_all(staging, ignored);
}

}  // namespace

TableSwap::TableSwap(const std::string& databaseFolder) : folder_(databaseFolder)
{
    std::string pattern = databaseFolder + "/" + kStagingPrefix + "XXXXXX";
    if (!::mkdtemp(pattern.data()))
        Fail("create a folder in", databaseFolder);
    staging_ = pattern;
}

TableSwap::~TableSwap()
{
    if (committed_ && fs::exists(folder_ + "/" + kSwapJournalName))
        return;
    std::error_code ignored;
    fs::remove_all(staging_, ignored);
}

void TableSwap::Replace(const std::string& tableFileName)
{
    tables_.push_back(tableFileName);
}

void TableSwap::Commit(const std::function<void(const std::string& step)>& onStep)
{
    Journal j;
    j.staging = fs::path(staging_).filename().string();
    const std::vector<std::string> live = RegularFiles(folder_);
    const std::vector<std::string> staged = RegularFiles(staging_);
    for (const std::string& table : tables_) {
        const std::string stem = Stem(table);
        std::vector<std::string> taken;  // lower-case live names the new files go to
        for (const std::string& name : staged) {
            if (Stem(name) != stem || !IsTableFile(name, false))
                continue;
            // A live file of that name in another letter case is replaced, not kept beside.
            std::string target = name;
            for (const std::string& l : live)
                if (Lower(l) == Lower(name))
                    target = l;
            j.moves.emplace_back(name, target);
            taken.push_back(Lower(target));
        }
        if (taken.empty())
            throw std::runtime_error("The new files of " + table + " are missing in " + staging_);
        for (const std::string& l : live)
            if (Stem(l) == stem && IsTableFile(l, true)
                && std::find(taken.begin(), taken.end(), Lower(l)) == taken.end())
                j.removes.push_back(l);
    }

    // Everything staged reaches the disk before the journal can name it.
    for (const std::string& name : staged) {
        const int fd = ::open((staging_ + "/" + name).c_str(), O_RDONLY);
        if (fd < 0 || ::fsync(fd) != 0) {
            if (fd >= 0)
                ::close(fd);
            Fail("flush", staging_ + "/" + name);
        }
        ::close(fd);
    }
    SyncFolder(staging_);

    const std::string journal = folder_ + "/" + kSwapJournalName;
    const std::string temporary = journal + ".tmp";
    try {
        Step(onStep, "write journal");
        WriteDurably(temporary, Format(j));
        Step(onStep, "decide");
        if (::rename(temporary.c_str(), journal.c_str()) != 0)
            Fail("write", journal);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    committed_ = true;
    SyncFolder(folder_);
    Perform(folder_, j, onStep);
}

bool FinishPendingSwap(const std::string& databaseFolder,
                       const std::function<void(const std::string& step)>& onStep)
{
    const std::string journal = databaseFolder + "/" + kSwapJournalName;
    bool finished = false;
    if (fs::exists(journal)) {
        Perform(databaseFolder, Parse(journal), onStep);
        finished = true;
    }
    std::error_code ignored;
    fs::remove(journal + ".tmp", ignored);
    for (const auto& entry : fs::directory_iterator(databaseFolder, ignored))
        if (entry.path().filename().string().rfind(kStagingPrefix, 0) == 0 && entry.is_directory())
            fs::remove_all(entry.path(), ignored);
    return finished;
}

}  // namespace tw::settings
