#pragma once

// The main menu: opens the two quiz windows, shows the information window while "Info" is held
// down, and ends the program. It has no load handler and no state.

#include "platform/forms/form.h"

namespace shell {

class Programma;

class FrmInizioCapacità : public platform::Form {
public:
    explicit FrmInizioCapacità(Programma& programma);

protected:
    void connectHandlers() override;

private:
    void Command1_Click();
    void Command2_Click();
    void Command7_MouseDown();
    void Command7_MouseUp();
    void Command9_Click();
    void mnuFine_Click();

    Programma& programma_;
};

} // namespace shell
