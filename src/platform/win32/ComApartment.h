#pragma once

// COM for the calling thread while this lives. A thread that already runs
// COM (Qt's window thread has OLE started) keeps its own apartment.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_started = false;
};
