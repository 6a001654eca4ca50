#include "link/save_question.h"

#include "configuration/configuration.h"
#include "link/configuration_save.h"
#include "platform/messages.h"

void askToSaveChanges(Messages& messages, const Configuration& configuration, ConfigurationSave& save)
{
    if (!configuration.changed)
        return;
    messages.beep();
    const MessageAnswer answer
        = messages.show(QStringLiteral("Ha hecho cambios en la configuración\r\n¿Desea salvarlos?"),
            QStringLiteral("Cambios de configuración"), MessageStyle::Question);
    if (answer == MessageAnswer::Yes)
        save.save();
}
