#include "Tk_exceptions.h"

void Abort()
{
    throw EAbort();
}
