// Input scripts: drive the headless desktop as a user would, one command a
// line.
//
//   move POS            the pointer goes to POS
//   down [BUTTON]       press a button (left, right or middle) where it is
//   up [BUTTON]         release it
//   click POS [BUTTON]  move, press and release
//   key NAME            press and release a key (Return, Escape, Tab, Space,
//                       Backspace, Delete, Home, End, Left, Right, Up, Down,
//                       F4, A-Z, 0-9), optionally with Shift+, Alt+, Ctrl+
//                       in front (Alt+F4 closes the form)
//   type TEXT           type the rest of the line
//   close [FORM]        the close box of the named form, or of the topmost
//   dump                every shown form's state, in the text form format,
//                       the main form first
//   shot FILE           a screenshot of the desktop as PNG
//   wait MS             let MS milliseconds pass on the desktop's virtual
//                       clock; timers that fall due meanwhile run
//   # ...               a comment
//
// POS is either screen coordinates "X Y" or a path "Form" or "Form.Control"
// followed by optional "X Y" relative to that form's or control's client area
// (its centre when left out), so that scripts do not depend on frame sizes.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/SysUtils.h"
#include "framework/Types.h"

namespace vcl {

class THeadlessPlatform;
class TCustomForm;
class TControl;

// A script error: "NAME:LINE: message".
VCL_DECLARE_EXCEPTION(EScriptError, Exception)

class TInputScript {
public:
    // Parses the whole script; syntax errors are raised here, before any
    // command runs. Paths are resolved when their command runs.
    TInputScript(const std::string& Text, std::string SourceName);

    // Runs commands until one has queued input on the desktop (true), or the
    // script has ended (false). Install it as the desktop's OnIdleInput.
    bool Step(THeadlessPlatform& Desktop);
    bool Finished() const { return FNext >= FCommands.size(); }
    // Runs what is left once the run is over before the script (the main
    // form, or the dialog the script drives, has closed): `wait` and `shot`
    // still run, since they concern the desktop; any other command raises
    // "NAME:LINE: the form is closed; 'COMMAND' cannot run". A program calls
    // it after its message loop, so that no line is dropped unseen. After a
    // quit signal (QuitSignal) nothing more runs: "NAME:LINE: SIGTERM stopped
    // the run before 'COMMAND'".
    void Finish(THeadlessPlatform& Desktop);

    // Where dump output goes (standard output unless set).
    std::function<void(const std::string&)> OnOutput;
    // Takes a screenshot; unset, the desktop's own is written as PNG.
    std::function<void(const std::string& File)> OnShot;
    // The class name a form's dump shows for its root (the class named in the
    // file it was loaded from, where that differs from the object's class).
    std::function<std::string(TCustomForm*)> RootClassName;

    // The screen point a POS names (exposed for tests).
    TPoint Resolve(const std::vector<std::string>& Args, size_t First, size_t Line) const;

private:
    struct TCommand {
        size_t Line;
        std::string Verb;
        std::vector<std::string> Args;
        std::string Rest;  // the raw text after the verb (for type)
    };
    [[noreturn]] void Fail(size_t Line, const std::string& Message) const;
    void CheckSyntax(const TCommand& C) const;
    std::string DumpForms() const;

    std::string FSourceName;
    std::vector<TCommand> FCommands;
    size_t FNext = 0;
};

// The form shown under a name (ASCII case ignored), or null.
TCustomForm* FindShownForm(const std::string& Name);

}  // namespace vcl
