// The input plug-in's only export.
#include <new>

#include "VantorExport.h"
#include "VantorInputDI.h"

VANTOR_EXPORT CVantorInput* CreateVantorInputObject()
{
    return new (std::nothrow) CVantorInputDI();
}
