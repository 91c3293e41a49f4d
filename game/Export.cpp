// The game module's only export.
#include "EntityFactory.h"
#include "VantorExport.h"

VANTOR_EXPORT CVantorEntity* CreateVantorEntity(const char* className)
{
    return CreateEntityByName(className);
}
