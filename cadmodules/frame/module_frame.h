// The frame both in-CAD modules are built on: the module's table of LISP
// functions and its own steps on load and unload; the entry point
// (module_frame.cpp) defines, removes and dispatches the functions.
#pragma once

// A LISP function's handler: reads its arguments (acedGetArgs), sets its
// result (acedRetT, acedRetNil, acedRetStr, acedRetList) or leaves it void,
// and returns RTNORM.
using LispHandler = int (*)();

struct LispFunction {
    const char* name; // as LISP programs call it
    LispHandler handler;
};

// What a module adds to the frame. Row i of functions has the code i + 1.
struct CadModule {
    const LispFunction* functions;
    int count;
    void (*onInit)();   // after the frame's steps on kInitAppMsg; may be null
    void (*onUnload)(); // on kUnloadAppMsg; may be null
};

// Defined by each module.
extern const CadModule g_cadModule;

// Defines the functions in table order and stops at the first call that
// does not give RTNORM: RTNORM, or RTERROR after a failure.
int DefineLispFunctions(const CadModule& module);

// Removes every function of the table; failures are ignored.
void RemoveLispFunctions(const CadModule& module);

// Sets a void result, then calls the handler of the current function code
// when the table holds it.
void DispatchLispCall(const CadModule& module);
