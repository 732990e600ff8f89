// The test run's replay of the fuzz corpora: every input kept in
// <corpus>/<target>/ (seeds and the inputs of faults once found) is fed to
// its target. A fault aborts the program; a target without inputs, or
// inputs without a target, fail it.
#include "FuzzTarget.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace fuzz {

namespace {

std::map<std::string, Target>& targets()
{
    static std::map<std::string, Target> table;
    return table;
}

std::vector<std::uint8_t> contents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

Registration::Registration(const char* name, Target target)
{
    targets()[name] = target;
}

} // namespace fuzz

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_replay <corpus folder>\n");
        return 2;
    }
    const fs::path corpus = argv[1];
    int failures = 0;
    for (const fs::directory_entry& folder : fs::directory_iterator(corpus))
        if (folder.is_directory() && !fuzz::targets().count(folder.path().filename().string())) {
            std::fprintf(stderr, "no target for the corpus %s\n", folder.path().filename().string().c_str());
            ++failures;
        }
    std::size_t inputs = 0;
    for (const auto& [name, target] : fuzz::targets()) {
        std::size_t count = 0;
        if (fs::is_directory(corpus / name))
            for (const fs::directory_entry& file : fs::directory_iterator(corpus / name)) {
                if (!file.is_regular_file()) continue;
                const std::vector<std::uint8_t> data = fuzz::contents(file.path());
                target(data.data(), data.size());
                ++count;
            }
        if (count == 0) {
            std::fprintf(stderr, "no inputs for the target %s\n", name.c_str());
            ++failures;
        }
        std::printf("%s: %zu inputs\n", name.c_str(), count);
        inputs += count;
    }
    std::printf("replay: %zu targets, %zu inputs\n", fuzz::targets().size(), inputs);
    return failures ? 1 : 0;
}
