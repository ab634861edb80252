#include <algorithm>

#include "framework/Classes.h"
#include "framework/Streaming.h"

namespace vcl {

bool SortedLess(const AnsiString& A, const AnsiString& B) {
    size_t n = std::min(A.size(), B.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(A[i]), y = static_cast<unsigned char>(B[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return x < y;
    }
    if (A.size() != B.size()) return A.size() < B.size();
    return A < B;
}

// ---------------------------------------------------------------------------
// TStrings

VCL_IMPLEMENT_CLASS(TStrings)
void TStrings::DescribeClass(ClassBuilder<TStrings>&) {}

int TStrings::Add(const AnsiString& S) {
    int i = Count();
    Insert(i, S);
    return i;
}

int TStrings::AddObject(const AnsiString& S, TObject* Obj) {
    int i = Add(S);
    PutObject(i, Obj);
    return i;
}

void TStrings::Put(int Index, const AnsiString& S) {
    TObject* obj = GetObject(Index);
    Delete(Index);
    Insert(Index, S);
    PutObject(Index, obj);
}

int TStrings::IndexOf(const AnsiString& S) const {
    for (int i = 0; i < Count(); ++i)
        if (Get(i) == S) return i;
    return -1;
}

AnsiString TStrings::Text() const {
    AnsiString r;
    for (int i = 0; i < Count(); ++i) {
        r += Get(i);
        r += '\n';
    }
    return r;
}

void TStrings::SetText(const AnsiString& Value) {
    BeginUpdate();
    Clear();
    size_t start = 0;
    while (start < Value.size()) {
        size_t end = Value.find('\n', start);
        if (end == AnsiString::npos) end = Value.size();
        AnsiString line = Value.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Add(line);
        start = end + 1;
    }
    EndUpdate();
}

void TStrings::AddStrings(TStrings* Strings) {
    BeginUpdate();
    for (int i = 0; i < Strings->Count(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
    EndUpdate();
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Changed();
    }
}

void TStrings::NotifyChanged() {
    if (FUpdateCount > 0) FChangedWhileUpdating = true;
    else Changed();
}

void TStrings::Assign(TPersistent* Source) {
    if (auto* s = dynamic_cast<TStrings*>(Source)) {
        if (s == this) return;
        BeginUpdate();
        Clear();
        AddStrings(s);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

void TStrings::DefineProperties(TFiler& Filer) {
    Filer.DefineProperty(
        "Strings",
        [this](TReader& r) {
            auto& s = r.Stream();
            size_t offset = s.Position();
            if (s.ReadValue() != formfile::TValueType::vaList) s.ErrorAt(offset, "List of strings expected");
            BeginUpdate();
            try {
                Clear();
                while (!s.EndOfList()) Add(s.ReadString());
                s.ReadListEnd();
            } catch (...) {
                EndUpdate();  // a list that failed to read still reports its changes
                throw;
            }
            EndUpdate();
        },
        [this](TWriter& w) {
            w.Stream().WriteValue(formfile::TValueType::vaList);
            for (int i = 0; i < Count(); ++i) w.WriteString(Get(i));
            w.Stream().WriteListEnd();
        },
        Count() > 0);
}

// ---------------------------------------------------------------------------
// TStringList

VCL_IMPLEMENT_CLASS(TStringList)
void TStringList::DescribeClass(ClassBuilder<TStringList>&) {}

void TStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

int TStringList::Add(const AnsiString& S) {
    if (!FSorted) return TStrings::Add(S);
    auto it = std::upper_bound(FItems.begin(), FItems.end(), S,
                               [](const AnsiString& v, const TItem& item) { return SortedLess(v, item.Text); });
    int i = static_cast<int>(it - FItems.begin());
    FItems.insert(it, TItem{S, nullptr});
    NotifyChanged();
    return i;
}

void TStringList::Insert(int Index, const AnsiString& S) {
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    if (Index < 0 || Index > Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    FItems.insert(FItems.begin() + Index, TItem{S, nullptr});
    NotifyChanged();
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
    NotifyChanged();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    FItems.clear();
    NotifyChanged();
}

AnsiString TStringList::Get(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].Text;
}

void TStringList::Put(int Index, const AnsiString& S) {
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    CheckIndex(Index);
    FItems[static_cast<size_t>(Index)].Text = S;
    NotifyChanged();
}

TObject* TStringList::GetObject(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].Object;
}

void TStringList::PutObject(int Index, TObject* Obj) {
    CheckIndex(Index);
    FItems[static_cast<size_t>(Index)].Object = Obj;
}

void TStringList::SetSorted(bool v) {
    if (v == FSorted) return;
    FSorted = v;
    if (v) Sort();
}

void TStringList::Sort() {
    std::stable_sort(FItems.begin(), FItems.end(),
                     [](const TItem& a, const TItem& b) { return SortedLess(a.Text, b.Text); });
    NotifyChanged();
}

}  // namespace vcl
