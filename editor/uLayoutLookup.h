#pragma once
// The controls a window's code works with, looked up by name once its layout is read. A layout that lacks one
// is a defect of the program: EReadError naming the window and the control.
#include <string>

#include "classlib/core/Objects.h"
#include "classlib/core/SysUtils.h"

template <class T>
T* LayoutControl(TComponent& Window, const char* Name)
{
    auto* control = dynamic_cast<T*>(Window.FindComponent(Name));
    if (!control) throw EReadError("The layout of " + Window.Name() + " lacks " + Name);
    return control;
}

template <class T>
void FindLayoutControl(TComponent& Window, T*& Field, const char* Name)
{
    Field = LayoutControl<T>(Window, Name);
}
