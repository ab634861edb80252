// Reading and writing component trees in the form formats.
//
// The reader builds a tree from a binary form: it creates each object through
// the class registry with the root as owner, reads published properties
// through the class metadata, keeps component references as names until the
// whole stream has been read, resolves them against the root's components
// ("Owner" names the root), then calls Loaded on every component in creation
// order. Text forms are converted to binary first, keeping the text position
// of every token, so that errors point into the text ("file:line:column")
// rather than into the converted bytes. Binary errors give file offsets.
//
// The writer stores every published property whose value differs from its
// default (or whose stored rule says so), handlers by method name, component
// references by name, then the properties a class defines itself.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Classes.h"
#include "framework/FormFiles.h"

namespace vcl {

// Shared by TReader and TWriter: how a class streams data that has no
// published property (DefineProperties).
class TFiler {
public:
    virtual ~TFiler() = default;
    // Name: the property as stored. ReadData is called when the reader meets
    // it; WriteData is called by the writer when HasData is true.
    virtual void DefineProperty(std::string_view Name, const std::function<void(TReader&)>& ReadData,
                                const std::function<void(TWriter&)>& WriteData, bool HasData) = 0;
    TComponent* Root() const { return FRoot; }

protected:
    TComponent* FRoot = nullptr;
};

class TReader : public TFiler {
public:
    // Data is a binary form, with or without resource header; errors give
    // offsets in Data. When Data was converted from text, TextPositions maps
    // it back (see formfile::TextPosMap) and errors give text positions
    // instead; the map must outlive the reader.
    TReader(std::string_view Data, std::string SourceName, const formfile::TextPosMap* TextPositions = nullptr);

    // Reads the whole stream into Root (or, when Root is null, into a new
    // component of the stream's class, found in the class registry, which the
    // caller then owns). Returns the root.
    TComponent* ReadRootComponent(TComponent* Root);

    // Handlers that the root's class does not publish are an error unless
    // this is set; they are then left unassigned.
    void SetIgnoreMissingHandlers(bool v) { FIgnoreMissingHandlers = v; }
    // Lenient reading, as a designer's "Ignore All": a property that cannot
    // be taken (unknown, read-only, a bad value, a handler the root lacks)
    // is skipped with a warning, and an object of a class the program does
    // not have becomes a stand-in (see StandIn.h) that keeps its class name,
    // properties and children, so that writing the form keeps its meaning.
    // A damaged stream is still an error.
    void SetLenient(bool v) { FLenient = v; }
    // Where warnings go, one line each, "FILE:line:column: warning: ...";
    // the default writes them to the log.
    std::function<void(const std::string& Line)> OnWarning;
    // When set, a handler the root's class does not publish is handed here
    // (the designer keeps it by name) instead of being an error.
    std::function<void(TObject* Instance, const TPropInfo* Prop, const std::string& Method)> OnMissingHandler;
    // Called for each component reference that could not be resolved (the
    // reference stays null). The default writes a line to the log.
    std::function<void(const std::string& message)> OnUnresolvedReference;

    // Values, for DefineProperties readers.
    int64_t ReadInteger();
    AnsiString ReadString();
    bool ReadBoolean();
    long double ReadFloat();
    std::string ReadIdent();
    std::string ReadBinary();
    formfile::BinaryReader& Stream() { return FStream; }

    void DefineProperty(std::string_view Name, const std::function<void(TReader&)>& ReadData,
                        const std::function<void(TWriter&)>& WriteData, bool HasData) override;

private:
    struct Fixup {
        TWeakRef<TObject> Instance;
        const TPropInfo* Prop;
        std::string Name;
        std::string Where;
        size_t Offset;
    };

    TComponent* ReadComponent(TComponent* Parent);
    const TMetaClass* FindComponentClass(const std::string& ClassName) const;
    void ReadProperties(TObject* Instance, TComponent* Component);
    void ReadProperty(TObject* Instance, TComponent* Component);
    void ReadPropValue(TObject* Instance, const TPropInfo* Prop, const std::string& Where);
    void ReadCollection(TCollection* Collection, TComponent* Component);
    void ResolveFixups();
    [[noreturn]] void PropError(size_t Offset, const std::string& Where, const std::string& Message);
    TComponent* ReadStandIn(const formfile::ObjectHeader& Header, TComponent* Parent);
    void Warn(size_t Offset, const std::string& Message);

    formfile::BinaryReader FStream;
    std::string FSourceName;
    std::vector<TWeakRef<TComponent>> FLoaded;
    std::vector<Fixup> FFixups;
    bool FIgnoreMissingHandlers = false;
    bool FLenient = false;
    std::vector<std::string> FWarnedClasses;
    // DefineProperties lookup state.
    std::string FDefinedWanted;
    bool FDefinedFound = false;
    int FDepth = 0;
};

class TWriter : public TFiler {
public:
    TWriter() = default;
    // RootClassName, when given, is written as the root's class instead of
    // its own (a form loaded into a stand-in class keeps its file's name).
    void WriteRootComponent(TComponent* Root, const std::string& RootClassName = {});
    std::string Data() const { return FOut.Data(); }

    // Values, for DefineProperties writers.
    void WriteInteger(int64_t v) { FOut.WriteInteger(v); }
    void WriteString(std::string_view s) { FOut.WriteString(s); }
    void WriteBoolean(bool b) { FOut.WriteBoolean(b); }
    void WriteFloat(long double v) { FOut.WriteExtended(v); }
    void WriteIdent(std::string_view s) { FOut.WriteIdent(s); }
    void WriteBinary(std::string_view bytes) { FOut.WriteBinary(bytes); }
    formfile::BinaryWriter& Stream() { return FOut; }

    void DefineProperty(std::string_view Name, const std::function<void(TReader&)>& ReadData,
                        const std::function<void(TWriter&)>& WriteData, bool HasData) override;

private:
    void WriteComponent(TComponent* Component);
    void WriteProperties(TObject* Instance, const std::string& Prefix);
    void WriteProperty(TObject* Instance, const TPropInfo* Prop, const std::string& Prefix);
    void WriteCollection(TCollection* Collection);

    formfile::BinaryWriter FOut;
    std::string FPrefix;
    std::string FRootClassName;
};

// How the conveniences read: handlers the root lacks left unassigned, and
// lenient reading with its warnings (see TReader::SetLenient).
struct TReadOptions {
    bool IgnoreMissingHandlers = false;
    bool Lenient = false;
    std::function<void(const std::string& Line)> OnWarning;
};

// Conveniences over TReader and TWriter. Text input is converted to binary
// first; text output is the binary rendered by the text writer.
TComponent* ReadComponentFromForm(std::string_view Data, const std::string& SourceName, TComponent* Root,
                                  const TReadOptions& Options);
TComponent* ReadComponentFromBinary(std::string_view Data, const std::string& SourceName, TComponent* Root,
                                    bool IgnoreMissingHandlers = false);
TComponent* ReadComponentFromText(std::string_view Text, const std::string& SourceName, TComponent* Root,
                                  bool IgnoreMissingHandlers = false);
// Either format, told apart by the binary signature.
TComponent* ReadComponentFromForm(std::string_view Data, const std::string& SourceName, TComponent* Root,
                                  bool IgnoreMissingHandlers = false);
std::string WriteComponentToBinary(TComponent* Root, const std::string& RootClassName = {});
std::string WriteComponentToText(TComponent* Root, const std::string& RootClassName = {});

}  // namespace vcl
