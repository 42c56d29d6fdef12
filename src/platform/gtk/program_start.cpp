// Starting another program the way the client needs it: detached, without a shell, so that no
// character of a path is ever interpreted.
#include <fcntl.h>
#include <spawn.h>

#include <string>
#include <vector>

#include "platform/processes.h"
#include "platform/text.h"

extern char** environ;

namespace plat {

namespace {

// Closes the actions and the attributes however the start went.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

bool StartProgram(const std::wstring& path, const std::vector<std::wstring>& arguments) {
    std::vector<std::string> texts{ToUtf8(path)};
    for (const std::wstring& argument : arguments) {
        texts.push_back(ToUtf8(argument));
    }
    std::vector<char*> argv;
    for (std::string& text : texts) {
        argv.push_back(text.data());
    }
    argv.push_back(nullptr);

    SpawnSetup setup;
    for (int stream = 0; stream < 3; ++stream) {
        posix_spawn_file_actions_addopen(&setup.actions, stream, "/dev/null",
                                         stream == 0 ? O_RDONLY : O_WRONLY, 0);
    }
    posix_spawnattr_setpgroup(&setup.attributes, 0);
    posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP);
    pid_t child = 0;
    // The child is not waited for: the client ends right after it starts the upgrader, and
    // init reaps it then.
    return posix_spawn(&child, texts[0].c_str(), &setup.actions, &setup.attributes, argv.data(),
                       environ) == 0;
}

}  // namespace plat
