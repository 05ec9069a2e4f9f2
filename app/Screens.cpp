#include "app/ScreenRegistry.h"
#include "app/Unitdm.h"
#include "core/screens/UnitFrmRastro.h"

// Each screen of the menu table is registered here by its class name. A menu entry whose
// screen is not registered does nothing when chosen.
void registerScreens()
{
    registerScreen(QStringLiteral("TFrmRastro"), [](QWidget* parent) -> QDialog* {
        return new TFrmRastro(dm->db(), dm->currentUser(), parent);
    });
}
