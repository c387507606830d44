#pragma once

// The information window: the author's web and e-mail addresses, at the top centre of the screen.

#include "platform/form.h"

namespace shell {

class FrmWWW : public platform::Form {
public:
    FrmWWW();

protected:
    void Form_Load() override;
    void connectHandlers() override;

private:
    void Form_Click();
    void centraLabel(const QString& nome, float larghezzaFinestra);
};

} // namespace shell
