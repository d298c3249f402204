#include <QApplication>
#include <QThread>

#include "plugin/FileInfoPlugin.h"

namespace {

// Widgets can only be made on the thread of a running QApplication; anywhere
// else the toolkit would end the host's process.
bool widgetsCanBeMade() {
    QCoreApplication* application = QCoreApplication::instance();
    return qobject_cast<QApplication*>(application) != nullptr &&
           QThread::currentThread() == application->thread();
}

}  // namespace

// The library's one exported symbol. Makes the plug-in object and hands out
// its Quarn::Plugin part with the creator's reference; a null *out means no
// object was made. Always returns 0, and nothing is thrown into the host: an
// allocation failure part-way frees whatever was built.
extern "C" __attribute__((visibility("default"))) int _getPlugin(Quarn::PluginContext* context,
                                                                 Quarn::Plugin** out) noexcept {
    if (out == nullptr) {
        return 0;
    }
    *out = nullptr;
    if (!widgetsCanBeMade()) {
        return 0;
    }
    try {
        *out = new Vantrel::FileInfoPlugin(context);
    } catch (...) {
        *out = nullptr;
    }
    return 0;
}
