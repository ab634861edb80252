// HoverBench's main routine: the application, its two forms, the loop.
#pragma once

// Initialises the application, titles it, creates the main form and then
// the about box, and runs the message loop until the main form closes. A
// framework exception that gets here is shown by the application's standard
// display; the routine returns 0 either way. Script errors (EScriptError)
// pass through to the caller, which reports them.
int HoverBenchMain();
