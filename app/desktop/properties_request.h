#pragma once

#include "engine/vecad.h"

class QWidget;

namespace brondel::documents {
class ControlEvents;
class DrawingWindow;
}  // namespace brondel::documents

namespace brondel::desktop {

// Stands between a drawing window's control and the window's own listener:
// passes every notification on and answers Properties with the properties
// dialog for the selected entity ("Nothing selected" when there is none).
// Gives the control back to the window's listener when it goes, unless the
// window has gone first.
class PropertiesRequest : public engine::VecadListener {
  public:
    PropertiesRequest(documents::DrawingWindow& window, engine::Vecad& vecad,
                      documents::ControlEvents& events, QWidget* parent);
    ~PropertiesRequest() override;
    PropertiesRequest(const PropertiesRequest&) = delete;
    PropertiesRequest& operator=(const PropertiesRequest&) = delete;

    void regenerated() override;
    void redrawn() override;
    void viewChanged() override;
    void notice(const std::string& text) override;
    void propertiesRequested() override;

  private:
    documents::DrawingWindow* window_;
    shell::MainWindow& main_;
    engine::Vecad& vecad_;
    documents::ControlEvents& events_;
    QWidget* parent_;
};

}  // namespace brondel::desktop
