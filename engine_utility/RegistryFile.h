#pragma once
// The registry hive HKEY_LOCAL_MACHINE kept in a small text file, since this platform
// has no registry of its own. The file looks like this:
//
//   [SOFTWARE\Borland\Database Engine]
//   DLLPATH=C:\Program Files\Borland\Common Files\BDE
//   CONFIGFILE01=C:\Program Files\Borland\Common Files\BDE\IDAPI32.CFG
//
//   [SOFTWARE\Borland\Database Engine\Settings\Drivers\Intrbase\Db Open]
//   SQLDIALECT=3
//
// A "[key path]" line starts a key; "name=value" lines below it are its string values.
// Blanks around a name are dropped, a value is kept exactly as written up to the end of
// the line. Lines starting with ';' or '#', blank lines and anything else are ignored.
// Key paths and value names are matched without regard to letter case, as the registry
// does, and a key exists when it or one of its subkeys has a section.

#include "EnginePlatform.h"

#include <filesystem>
#include <memory>
#include <string>

namespace dorvik {

class RegistryFile {
public:
    explicit RegistryFile(std::filesystem::path file);

    // $XDG_CONFIG_HOME/Dorvik/HKEY_LOCAL_MACHINE.reg, or ~/.config/Dorvik/... when
    // XDG_CONFIG_HOME is unset; a relative file name when neither can be found.
    static std::filesystem::path DefaultPath();

    const std::filesystem::path& Path() const { return file_; }

    // nullptr when the file or the key is missing (and canCreate is false), or when the
    // key cannot be created. Values are read and written through the file each time,
    // so two open keys never disagree.
    std::unique_ptr<RegistryKey> OpenKey(const std::string& path, bool canCreate);

private:
    std::filesystem::path file_;
};

} // namespace dorvik
