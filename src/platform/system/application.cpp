#include "platform/system/application.h"

#include "platform/system/fonts.h"

#include <QApplication>
#include <QStyleFactory>

#include <vector>

#if defined(Q_OS_WASM)
#include <emscripten.h>
#endif

namespace platform {

namespace {

std::vector<std::function<void()>>& farewells() {
    static std::vector<std::function<void()>> list;
    return list;
}

} // namespace

void setUpApplication() {
    // Fusion tints button faces with a gradient; the Windows style fills them with the exact colour.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    setUpFonts();
}

void quitApplication() {
    QCoreApplication::exit(0);
    for (const auto& farewell : std::exchange(farewells(), {}))
        farewell();
#if defined(Q_OS_WASM)
    EM_ASM({ window.dispatchEvent(new Event('capacita-terminato')); });
#endif
}

void atQuit(std::function<void()> farewell) {
    farewells().push_back(std::move(farewell));
}

} // namespace platform
