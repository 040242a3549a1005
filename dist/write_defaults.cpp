// nelvix-defaults FOLDER: writes the default settings store and cabinet that an installation
// puts into the system configuration folder. Both come from the program's own defaults, so the
// installed files can never drift from what a fresh start would use.
#include <cstdio>
#include <string>
#include <vector>

#include "files/atomic_write.h"
#include "store/cabinet.h"
#include "store/cabinet_image.h"
#include "store/display_block.h"
#include "store/ini_file.h"
#include "store/settings.h"
#include "store/settings_store.h"

namespace {

bool WriteSettingsStore(const std::string& folder) {
    nelvix::IniFile ini;
    nelvix::SaveSettings(ini, nelvix::Settings{});
    const std::string bytes = ini.Serialize();
    return nelvix::WriteFileAtomically(folder + "/" + nelvix::kSettingsFileName,
                                       reinterpret_cast<const nelvix::Byte*>(bytes.data()),
                                       bytes.size());
}

bool WriteCabinet(const std::string& folder) {
    const std::vector<nelvix::Byte> image =
        nelvix::BuildCabinetImage(nelvix::DefaultDisplayBlock(), {}, {});
    return nelvix::WriteFileAtomically(folder + "/" + nelvix::kCabinetFileName, image.data(),
                                       image.size());
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: nelvix-defaults FOLDER\n");
        return 2;
    }
    if (!WriteSettingsStore(argv[1]) || !WriteCabinet(argv[1])) {
        std::perror("nelvix-defaults");
        return 1;
    }
    return 0;
}
