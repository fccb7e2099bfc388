#include "help/About.h"

namespace help {

QString programName()
{
    return QStringLiteral("vintrax");
}

QString programVersion()
{
    return QStringLiteral(VINTRAX_VERSION);
}

QString applicationId()
{
    return QStringLiteral(VINTRAX_APP_ID);
}

QString homePage()
{
    return QStringLiteral(VINTRAX_HOMEPAGE);
}

QString contactAddress()
{
    return QStringLiteral("mailto:") + QStringLiteral(VINTRAX_CONTACT_EMAIL);
}

} // namespace help
