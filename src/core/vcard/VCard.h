#pragma once

#include "core/vcard/VCardContact.h"

#include <QByteArray>
#include <QList>

class Connection;

// Contacts to and from vCard files. Written as UTF-8 vCard 3.0; read as
// phones write 2.1, 3.0 and 4.0: folded lines, quoted-printable with soft
// line breaks, GBK or UTF-8, several cards to a file.
class VCard {
public:
    static QByteArray write(const QList<VCardContact>& contacts);

    struct Card {
        VCardContact contact;
        bool readable = false; // false: no name, or the card never ends
        int line = 0;          // where the card begins, from 1
    };

    static QList<Card> read(const QByteArray& bytes);

    // Adds the contacts to Dianhua in one transaction: all or none.
    static void insert(Connection& connection, const QList<VCardContact>& contacts);
};
