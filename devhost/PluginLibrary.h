#pragma once

#include <string>

namespace Quarn {
class Plugin;
class PluginContext;
}  // namespace Quarn

namespace devhost {

// A plug-in library opened the way the player opens one: with dlopen, through
// its one entry point _getPlugin.
class PluginLibrary {
public:
    using EntryPoint = int (*)(Quarn::PluginContext* context, Quarn::Plugin** out);

    explicit PluginLibrary(std::string path);
    // Unloads the library. Every object it made must be gone by then.
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Opens the library and finds _getPlugin. False with errorString() set
    // when the file is missing, cannot be loaded or has no entry point.
    bool load();

    // Calls _getPlugin. The plug-in with the creator's reference, or null
    // with errorString() set.
    Quarn::Plugin* createPlugin(Quarn::PluginContext* context);

    // Leaves the library loaded when this object goes: for a library whose
    // objects outlived their references, so their code stays mapped.
    void keepLoaded() { unloadOnDestruction = false; }

    // The entry point itself, once loaded; null before.
    EntryPoint entry() const { return entryPoint; }
    const std::string& path() const { return libraryPath; }
    const std::string& errorString() const { return error; }

private:
    std::string libraryPath;
    void* handle = nullptr;
    EntryPoint entryPoint = nullptr;
    std::string error;
    bool unloadOnDestruction = true;
};

}  // namespace devhost
