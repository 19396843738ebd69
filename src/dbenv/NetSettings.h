#pragma once
// The network settings of multi-user mode: the protocol by which the
// workstations reach the database server and the folder they exchange data
// through. Changed only when the user confirms the dialog TfmNet.
#include <string>

namespace vk {

enum NetProtocolValue : int {
    npTcpIp = 0,    // host prefix "NAME:"
    npNetBeui = 1,  // host prefix "\\NAME\"
};

struct NetSettings {
    int NetProtocol = npTcpIp;
    std::string ExchangeFolder;  // empty: no exchange folder
};

}  // namespace vk
