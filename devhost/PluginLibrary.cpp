#include "devhost/PluginLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <utility>

namespace devhost {

namespace {

std::string lastLoaderError() {
    const char* message = dlerror();
    return message != nullptr ? message : "unknown error";
}

}  // namespace

PluginLibrary::PluginLibrary(std::string path) : libraryPath(std::move(path)) {}

PluginLibrary::~PluginLibrary() {
    if (handle != nullptr && unloadOnDestruction) {
        dlclose(handle);
    }
}

bool PluginLibrary::load() {
    if (handle != nullptr) {
        return true;
    }
    struct stat status {};
    if (stat(libraryPath.c_str(), &status) != 0) {
        error = "plug-in library '" + libraryPath + "' does not exist";
        return false;
    }
    dlerror();
    void* opened = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (opened == nullptr) {
        error = "cannot load plug-in library '" + libraryPath + "': " + lastLoaderError();
        return false;
    }
    void* symbol = dlsym(opened, "_getPlugin");
    if (symbol == nullptr) {
        error = "'" + libraryPath + "' is not a plug-in library: it has no _getPlugin entry point";
        dlclose(opened);
        return false;
    }
    handle = opened;
    entryPoint = reinterpret_cast<EntryPoint>(symbol);
    error.clear();
    return true;
}

Quarn::Plugin* PluginLibrary::createPlugin(Quarn::PluginContext* context) {
    if (entryPoint == nullptr && !load()) {
        return nullptr;
    }
    Quarn::Plugin* plugin = nullptr;
    const int status = entryPoint(context, &plugin);
    if (plugin == nullptr) {
        error = "_getPlugin of '" + libraryPath + "' made no plug-in (status " +
                std::to_string(status) + ")";
    }
    return plugin;
}

}  // namespace devhost
