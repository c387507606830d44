#pragma once

// The information window: the author's web and e-mail addresses, at the top centre of the screen.

#include "platform/access/announce.h"
#include "platform/forms/form.h"

namespace shell {

class FrmWWW : public platform::Form {
public:
    // annunci says the two lines to a screen reader as the window shows them.
    explicit FrmWWW(platform::Announcer& annunci);

protected:
    void Form_Load() override;
    void connectHandlers() override;

private:
    void Form_Click();
    void centraLabel(const QString& nome, float larghezzaFinestra);

    platform::Announcer& annunci_;
};

} // namespace shell
