// Before any Qt header: its emit macro would hide ChangeSignal::emit.
#include "shell/main_window.h"

#include "app/desktop/properties_request.h"

#include <algorithm>

#include "app/desktop/properties_dialog.h"

namespace brondel::desktop {

PropertiesRequest::PropertiesRequest(documents::DrawingWindow& window, engine::Vecad& vecad,
                                     documents::ControlEvents& events, QWidget* parent)
    : window_(&window), main_(window.main()), vecad_(vecad), events_(events), parent_(parent) {
    vecad_.setListener(this);
}

// A window's widgets may outlive it: its control is touched only while the
// program still has the window.
PropertiesRequest::~PropertiesRequest() {
    const auto& windows = main_.windows();
    if (std::any_of(windows.begin(), windows.end(),
                    [this](const auto& w) { return w.get() == window_; })) {
        vecad_.setListener(&events_);
    }
}

void PropertiesRequest::regenerated() {
    events_.regenerated();
}

void PropertiesRequest::redrawn() {
    events_.redrawn();
}

void PropertiesRequest::viewChanged() {
    events_.viewChanged();
}

void PropertiesRequest::notice(const std::string& text) {
    events_.notice(text);
}

void PropertiesRequest::propertiesRequested() {
    if (vecad_.SelCount() == 0) {
        main_.ports.dialogs.messageBox("Nothing selected", ports::Buttons::Ok,
                                       ports::Icon::Information, "");
        return;
    }
    PropertiesDialog dialog(vecad_, vecad_.GetEntityByPtr(vecad_.SelGetFirstPtr()), parent_);
    dialog.exec();
}

}  // namespace brondel::desktop
