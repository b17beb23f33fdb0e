#include "app/desktop/system_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "base/error.h"
#include "engine/clipboard.h"

namespace brondel::desktop {

void mirrorClipboardOnSystem() {
    engine::watchClipboard([](const engine::Clipboard& c) {
        QByteArray dxf;
        try {
            const std::string text = engine::clipboardDxf(c);
            dxf = QByteArray(text.data(), qsizetype(text.size()));
        } catch (const Error&) {
            return;  // the drawing's own clipboard holds it still
        }
        auto* mime = new QMimeData;
        mime->setData("application/dxf", dxf);
        mime->setText(QString::fromUtf8(dxf));
        QGuiApplication::clipboard()->setMimeData(mime);
    });
}

}  // namespace brondel::desktop
