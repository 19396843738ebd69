#pragma once
// The folder tree of the folder dialog: the drive root, every folder down to
// the current one, and the current folder's subfolders one level deeper, as
// the classic directory list box shows them. Read from the machine through
// the platform layer whenever the current folder changes.
#include <string>
#include <string_view>
#include <vector>

namespace vk {

class DirectoryTree {
public:
    struct Item {
        std::string name;   // "C:\" for the root, otherwise the folder's name as stored
        std::string path;   // the folder's full path, without trailing "\" except a drive root's
        int level = 0;      // 0 for the root
        bool open = false;  // the root, the folders above the current one and the current one
    };

    // Makes folder (relative paths from the current folder) the current one.
    // Throws Error naming it when it is not an existing folder; the tree is
    // then unchanged.
    void setDirectory(std::string_view folder);
    const std::string& directory() const { return directory_; }

    const std::vector<Item>& items() const { return items_; }
    // The index of the current folder's item (-1 before the first setDirectory).
    int currentIndex() const { return currentIndex_; }
    // Makes the folder of items()[index] the current one (what a double click does).
    void openItem(int index);

    // The drive of the current folder ("C:" or "\\host\share").
    std::string drive() const;
    // Moves to the root of drive ("D:"); throws Error when it is not ready.
    void setDrive(std::string_view drive);

private:
    std::string directory_;
    std::vector<Item> items_;
    int currentIndex_ = -1;
};

}  // namespace vk
