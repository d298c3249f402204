#pragma once

class QWidget;

namespace Vantrel {

// The host's menu interface: how the host reaches a plug-in's window.
class MenuInterface {
public:
    virtual ~MenuInterface() {}
    virtual QWidget* getWidget() = 0;
};

}  // namespace Vantrel
