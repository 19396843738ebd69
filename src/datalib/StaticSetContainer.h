#pragma once
// The container that loads and saves static sets (the file storage), as a set
// sees it. A set calls registerSet when its file storage is set to the
// container and unregisterSet when it is set away from it or the set is
// destroyed; the set's pointer stays on the container during both calls, so
// that the container may open, load, save or close the set through it. The
// container keeps only its own list in these calls: to attach or detach a set
// it calls set.setFileStorage, and it detaches every set before it goes away.
namespace vk {

class TStaticSet;

class StaticSetContainer {
public:
    virtual ~StaticSetContainer() = default;

    // Whether the container names a file. Without one, loads and saves
    // through it are skipped and an opening set does not load from it.
    virtual bool hasFile() = 0;
    // Load or save the set's stream (named set.streamName()) in the file.
    virtual void loadStaticSet(TStaticSet& set) = 0;
    virtual void saveStaticSet(TStaticSet& set) = 0;

    virtual void registerSet(TStaticSet& set) = 0;
    virtual void unregisterSet(TStaticSet& set) = 0;
};

}  // namespace vk
