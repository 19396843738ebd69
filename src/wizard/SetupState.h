#pragma once
// What the wizard keeps besides its controls: the package's constants, what
// start-up found on the machine, and the run in progress. The controls of the
// pages and the tables (ssLog, the connection file's sets) belong to the
// state too; they are members of the form.
#include <cstdint>
#include <string>

#include "dbenv/LinkSettings.h"
#include "dbenv/NetSettings.h"
#include "dbenv/ServerDetection.h"
#include "engine/CorrectionFiles.h"
#include "package/PackageDefinition.h"

namespace vk {

class TProcessThread;

struct SetupState {
    std::uint32_t PackageFlags = kPackageFlags;
    // The local (single-workstation) version: no multi-user mode, the local-version welcome text.
    std::int16_t LocalVersion = 1;
    std::string ProductCaption{kProductCaption};
    std::string DefaultProgramFolder;
    // The database engine's folder: the installed one, or where it is to go.
    std::string BdeFolder;
    // The installed database client library's version strings (GdsDescription,
    // GdsVersion) and the database server's installer (ServerInstaller).
    ServerInfo Server;
    // Set once the question about the sibling system has been asked, or when it must never be.
    bool LinkQuestionAsked = false;
    // Filled by the install thread with the payload's correction files.
    CorrectionFileList CorrectionFiles;
    // The install thread while it runs; the wizard does not close meanwhile.
    TProcessThread* Worker = nullptr;

    // Beside the form: the multi-user settings of TfmNet and the link of TfmURM.
    NetSettings Net;
    LinkSettings Link;
};

}  // namespace vk
