#pragma once
// What is compiled into the installer about this package, and the codes that
// the wizard, the install thread and the tools share: the package word and
// its bits, the product's caption, the rename rule for an existing connection
// file, the database-server installer's name, the file kinds of payload
// records and the user's choices handed to the install thread.
#include <cstdint>
#include <string_view>

namespace vk {

// The package word: which parts the package holds and which wizard features
// are on. The install thread also ANDs it with file kinds it does not know,
// which is why pfPrograms and fkProgram share their bit.
enum PackageFlag : std::uint32_t {
    pfPrograms = 0x0001,          // program files (kind 1) and the runtime packages Luvak*.bpl
    pfConfigList = 0x0002,        // the list of configurations is filled and enabled
    pfMainProgram = 0x0004,       // the main program: filled database, multi-user mode, link, shortcuts
    pfSystemPackages = 0x0008,    // packages copied into the system folder too (kind 8), Kerno*.bpl
    pfBdeOffered = 0x0010,        // the database engine is offered
    pfRegisterComponents = 0x0020,
    pfClientOffered = 0x0100,     // the database client library is offered
    pfUpdatePackage = 0x0200,     // an update: no link to the sibling system
    pfUpdateConnection = 0x0800,  // an update that copies and repoints an existing connection file
    pfClientOnly = 0x1000,        // a package for workstations only
    pfManualShortcuts = 0x2000,   // one shortcut to the user manual per selected configuration
};

// The package word of this build.
inline constexpr std::uint32_t kPackageFlags = 0x257F;

// The product's display name: window caption, shortcut and uninstall entry.
inline constexpr std::string_view kProductCaption = "АС Кронта 3.1";

// "old=new": how the copies of an existing connection file and its
// configuration database are named. Empty in this package, which therefore
// never rewrites an existing connection.
inline constexpr std::string_view kRenameRule = "";

// The database server's installer, looked for beside the setup program.
inline constexpr std::string_view kServerInstallerName = "Firebird_6-2-3-972-Win32.exe";

// The kind of a payload record: decides whether it is installed and where.
enum FileKind : std::int64_t {
    fkProgram = 1,
    fkConfiguration = 2,
    fkDatabase = 4,
    fkSystemPackage = 8,
    fkBDE = 16,
    fkDBClient = 256,
    fkCorrection = 2048,
    fkDocument = 8192,
};

// The user's choices handed to the install thread, one bit each.
enum InstallOption : std::uint32_t {
    ioServerPart = 1,        // rbServer selected
    ioClientPart = 2,        // rbClient selected
    ioConfigChosen = 4,      // at least one configuration ticked
    ioFilledDatabase = 8,    // cbDBAndMenu ticked
    ioBDE = 16,              // cbBDE ticked
    ioIBClient = 32,         // cbIBClient ticked
    ioFirebird = 64,         // rbFirebird selected
    ioYaffil = 128,          // rbYaffil selected
    ioRegister = 256,        // cbRegister ticked
};

}  // namespace vk
