#pragma once
// Lets the preview frame keep the Print object alive while it is open
// (AutoRelease false): one reference taken at creation, released at destruction.
class IUnkWindowObject {
public:
    virtual void AddRefObject() = 0;
    virtual void ReleaseObject() = 0;

protected:
    ~IUnkWindowObject() = default;
};
