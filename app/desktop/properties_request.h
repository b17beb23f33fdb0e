#pragma once

class QWidget;

namespace brondel::engine {
class Vecad;
}
namespace brondel::shell {
class MainWindow;
}

namespace brondel::desktop {

// Answers Properties on a control: the properties dialog for the first
// selected entity, "Nothing selected" when there is none.
void showPropertiesOfSelection(engine::Vecad& vecad, shell::MainWindow& main, QWidget* parent);

}  // namespace brondel::desktop
