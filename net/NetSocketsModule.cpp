#include "NetSocketsModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <memory>
#include <optional>

namespace {

struct TModuleState {
    TNetSockets* Sockets = nullptr;
    std::optional<QStringList> Folders;
    // Never unloaded: the sockets handed out run its code to the end.
    std::unique_ptr<QLibrary> Library;
};

TModuleState& State() {
    static TModuleState state;
    return state;
}

} // namespace

QStringList NetModuleFolders() {
    if (State().Folders)
        return *State().Folders;
    const QString program = QCoreApplication::applicationDirPath();
    // Relative to the program first, so that an installation moved elsewhere (a package's
    // scratch root) finds its own module.
    return {program, QDir::cleanPath(program + QStringLiteral("/" TOLVI_NET_MODULE_RELATIVE_DIR)),
            QStringLiteral(TOLVI_NET_MODULE_INSTALL_DIR)};
}

void SetNetModuleFolders(const QStringList& Folders) {
    if (Folders.isEmpty())
        State().Folders.reset();
    else
        State().Folders = Folders;
}

void SetNetSockets(TNetSockets* Sockets) {
    State().Sockets = Sockets;
}

TNetSockets* NetSockets(QString* Error) {
    TModuleState& state = State();
    if (state.Sockets)
        return state.Sockets;
    QStringList folders = NetModuleFolders();
    folders.removeDuplicates();
    QString why;
    for (const QString& folder : folders) {
        const QString file = folder + QStringLiteral("/" TOLVI_NET_MODULE_FILE);
        if (!QFileInfo::exists(file))
            continue;
        auto library = std::make_unique<QLibrary>(file);
        const auto entry =
            reinterpret_cast<TNetSocketsEntry>(library->resolve(NetSocketsEntryName));
        TNetSockets* sockets = entry ? entry(NetSocketsInterfaceVersion) : nullptr;
        if (sockets) {
            state.Library = std::move(library);
            state.Sockets = sockets;
            return sockets;
        }
        // A broken copy is reported unless a later folder holds a good one.
        if (why.isEmpty())
            why = entry ? QCoreApplication::translate("NetSocketsModule",
                                                      "%1 is of another version of Tolvi")
                              .arg(file)
                        : library->errorString();
        library->unload();
    }
    if (why.isEmpty())
        why = QCoreApplication::translate("NetSocketsModule", "%1 is in none of %2")
                  .arg(QStringLiteral(TOLVI_NET_MODULE_FILE), folders.join(QStringLiteral(", ")));
    if (Error)
        *Error = why;
    return nullptr;
}
