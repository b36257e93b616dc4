<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Wareloom</source>
        <translation>Über Wareloom</translation>
    </message>
    <message>
        <source>Wareloom Version 1.0</source>
        <translation>Wareloom Version 1.0</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 The Wareloom developers</source>
        <translation>Copyright (C) 2026 Die Wareloom-Entwickler</translation>
    </message>
    <message>
        <source>E-mail: wareloom@example.org</source>
        <translation>E-Mail: wareloom@example.org</translation>
    </message>
    <message>
        <source>Web: https://wareloom.example.org/</source>
        <translation>Web: https://wareloom.example.org/</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>only part of it could be written</source>
        <translation>es konnte nur ein Teil davon geschrieben werden</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>es ist keine Datei</translation>
    </message>
</context>
<context>
    <name>AutomationRegistration</name>
    <message>
        <source>Cannot create the folder of %1.</source>
        <translation>Der Ordner für %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Cannot remove %1: %2</source>
        <translation>%1 kann nicht entfernt werden: %2</translation>
    </message>
</context>
<context>
    <name>CategoryDialog</name>
    <message>
        <source>Wareloom - Add Category</source>
        <translation>Wareloom - Kategorie hinzufügen</translation>
    </message>
    <message>
        <source>New Category Name:</source>
        <translation>Name der neuen Kategorie:</translation>
    </message>
    <message>
        <source>New category name</source>
        <translation>Name der neuen Kategorie</translation>
    </message>
    <message>
        <source>The name of the new category and of its page</source>
        <translation>Der Name der neuen Kategorie und ihrer Seite</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close without making a category</source>
        <translation>Schließen, ohne eine Kategorie anzulegen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Make the category and close</source>
        <translation>Kategorie anlegen und schließen</translation>
    </message>
</context>
<context>
    <name>CategoryHistory</name>
    <message>
        <source>The history folder %1 cannot be made.</source>
        <translation>Der Verlaufsordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>%1 has no version %2 in its history.</source>
        <translation>Im Verlauf von %1 gibt es keine Version %2.</translation>
    </message>
</context>
<context>
    <name>CategoryLock</name>
    <message>
        <source>The category lock %1 cannot be taken: %2</source>
        <translation>Die Kategoriesperre %1 kann nicht gesetzt werden: %2</translation>
    </message>
</context>
<context>
    <name>CategoryPage</name>
    <message>
        <source>The category file %1 cannot be read: %2</source>
        <translation>Die Kategoriedatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The category %1 cannot have a page: %2 is the main page.</source>
        <translation>Die Kategorie %1 kann keine eigene Seite haben: %2 ist die Hauptseite.</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine normale Datei</translation>
    </message>
</context>
<context>
    <name>CategoryStore</name>
    <message>
        <source>The category file %1 holds more than %2 items; Wareloom can hold at most %2 items in one category.</source>
        <translation>Die Kategoriedatei %1 enthält mehr als %2 Artikel; Wareloom kann höchstens %2 Artikel in einer Kategorie führen.</translation>
    </message>
    <message>
        <source>The category file %1 cannot be read: %2</source>
        <translation>Die Kategoriedatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Nothing was changed: %1 cannot be read to keep it in the history. %2</source>
        <translation>Nichts wurde geändert: %1 kann nicht gelesen werden, um es im Verlauf aufzubewahren. %2</translation>
    </message>
    <message>
        <source>Nothing was changed: the present %1 cannot be kept in the history. %2</source>
        <translation>Nichts wurde geändert: Die aktuelle Datei %1 kann nicht im Verlauf aufbewahrt werden. %2</translation>
    </message>
    <message>
        <source>%1 cannot be deleted.</source>
        <translation>%1 kann nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>The category would hold %1 items; at most %2 fit.</source>
        <translation>Die Kategorie hätte dann %1 Artikel; höchstens %2 sind möglich.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as a category name: it must not hold / or \.</source>
        <translation>„%1“ kann nicht als Kategoriename verwendet werden: Er darf weder / noch \ enthalten.</translation>
    </message>
    <message>
        <source>inventory is the name of the main page</source>
        <translation>inventory ist der Name der Hauptseite</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; already exists.</source>
        <translation>Die Kategorie „%1“ gibt es bereits.</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; cannot be created: %2</source>
        <translation>Die Kategorie „%1“ kann nicht angelegt werden: %2</translation>
    </message>
</context>
<context>
    <name>CommandLineHelp</name>
    <message>
        <source>Usage: wareloom [switch]
Keep a stock list and publish it as a website over FTP.

A switch is written after / or -, in any letter case; an unknown one is
refused. Other arguments are ignored. Without a switch, Wareloom writes
its D-Bus activation file again and opens the main window.

  -Automation, -Embedding   serve the object Wareloom.Application on the
                            session bus and open the main window; while a
                            client holds the object, closing the window
                            only hides it
  -Register, -Regserver     write the D-Bus activation file and the
                            interface description, and end
  -Unregister, -Unregserver remove them, and end
  -Publish                  write the pages and upload those the web host
                            does not have yet (FTP, FTPS or SFTP), without
                            a window
  -Publish -All             upload every page
  -Publish -Prune           also delete from the web host the pages this
                            program sent there whose categories are gone
  -Generate                 write the pages only, without a window
  -Check                    check the website on the web host: every link
                            and picture of the published pages that the
                            host lacks or holds with another size than
                            was sent, and temporary files left there
  -Export CATEGORY FILE     write the category&apos;s items to a CSV file
                            (- for standard output)
  -Import CATEGORY FILE     add the items of a CSV file to the category,
                            made when missing (- for standard input); a
                            file with a bad row changes nothing
  -History CATEGORY         list the kept versions of the category (also
                            of a deleted one): number, time, items, action
  -Restore CATEGORY VERSION make a kept version the category&apos;s file again;
                            what it replaces is kept as a version too
  --version, -Version       print the version and end
  --help, -help, /?         print this help and end

Environment:
  WARELOOM_DATA_DIR   the data directory (default ~/Wareloom)
  WARELOOM_CODEPAGE   the 8-bit code page of records, settings and pages
                      (any iconv name; default: the Windows code page of
                      the locale)
  XDG_DATA_HOME       where -Register writes the activation file
                      (default ~/.local/share)

Exit status of -Publish, -Generate and -Check:
  0 done (-Check: the website is whole), 1 a page was not written or sent
  (-Check: something is missing or differs, or the host could not be
  listed), 2 no FTP settings, 3 no network library, 4 another run is using
  this folder (after waiting 30 s), 5 the web host&apos;s key is not trusted (new
  or changed)
</source>
        <extracomment>The first paragraph is also shown alone, under an unknown switch: keep the blank line after it.</extracomment>
        <translation>Aufruf: wareloom [Schalter]
Einen Warenbestand führen und ihn per FTP als Website veröffentlichen.

Ein Schalter wird nach / oder - geschrieben, in beliebiger Groß- und
Kleinschreibung; ein unbekannter wird abgelehnt. Andere Argumente werden
übergangen. Ohne Schalter schreibt Wareloom seine D-Bus-Aktivierungsdatei
neu und öffnet das Hauptfenster.

  -Automation, -Embedding   das Objekt Wareloom.Application auf dem
                            Sitzungsbus anbieten und das Hauptfenster
                            öffnen; solange ein Client das Objekt hält,
                            blendet Schließen das Fenster nur aus
  -Register, -Regserver     die D-Bus-Aktivierungsdatei und die
                            Schnittstellenbeschreibung schreiben, dann enden
  -Unregister, -Unregserver beide entfernen, dann enden
  -Publish                  die Seiten schreiben und die hochladen, die der
                            Webserver noch nicht hat (FTP, FTPS oder SFTP),
                            ohne Fenster
  -Publish -All             alle Seiten hochladen
  -Publish -Prune           außerdem die Seiten vom Webserver löschen, die
                            dieses Programm dorthin gesendet hat und deren
                            Kategorien es nicht mehr gibt
  -Generate                 nur die Seiten schreiben, ohne Fenster
  -Check                    die Website auf dem Webserver prüfen: jeden Link
                            und jedes Bild der veröffentlichten Seiten, die
                            dem Server fehlen oder dort eine andere Größe
                            haben als gesendet, und dort verbliebene
                            temporäre Dateien
  -Export KATEGORIE DATEI   die Artikel der Kategorie in eine CSV-Datei
                            schreiben (- für die Standardausgabe)
  -Import KATEGORIE DATEI   die Artikel einer CSV-Datei zur Kategorie
                            hinzufügen, die bei Bedarf angelegt wird (- für
                            die Standardeingabe); eine Datei mit einer
                            fehlerhaften Zeile ändert nichts
  -History KATEGORIE        die aufbewahrten Versionen der Kategorie (auch
                            einer gelöschten) auflisten: Nummer, Zeit,
                            Artikel, Aktion
  -Restore KATEGORIE VERSION
                            eine aufbewahrte Version wieder zur Datei der
                            Kategorie machen; was sie ersetzt, wird
                            ebenfalls als Version aufbewahrt
  --version, -Version       die Version ausgeben und enden
  --help, -help, /?         diese Hilfe ausgeben und enden

Umgebung:
  WARELOOM_DATA_DIR   der Datenordner (Vorgabe ~/Wareloom)
  WARELOOM_CODEPAGE   die 8-Bit-Codepage von Datensätzen, Einstellungen und
                      Seiten (jeder iconv-Name; Vorgabe: die Windows-Codepage
                      der Locale)
  XDG_DATA_HOME       wohin -Register die Aktivierungsdatei schreibt
                      (Vorgabe ~/.local/share)

Rückgabewert von -Publish, -Generate und -Check:
  0 fertig (-Check: die Website ist vollständig), 1 eine Seite wurde nicht
  geschrieben oder gesendet (-Check: etwas fehlt oder weicht ab, oder der
  Server ließ sich nicht auflisten), 2 keine
  FTP-Einstellungen, 3 keine Netzwerkbibliothek, 4 ein anderer Lauf verwendet
  diesen Ordner (nach 30 s Warten), 5 dem Schlüssel des Webservers wird nicht
  vertraut (neu oder geändert)
</translation>
    </message>
</context>
<context>
    <name>CsvCommand</name>
    <message>
        <source>There is no category &quot;%1&quot;.</source>
        <translation>Es gibt keine Kategorie „%1“.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Nothing was imported.</source>
        <translation>Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Import into &apos;%1&apos;</source>
        <translation>Import in „%1“</translation>
    </message>
    <message>
        <source>%1 item imported into %2.</source>
        <translation>%1 Artikel in %2 importiert.</translation>
    </message>
    <message>
        <source>%1 items imported into %2.</source>
        <translation>%1 Artikel in %2 importiert.</translation>
    </message>
    <message>
        <source>-Export and -Import take a category and a file: wareloom -Export &quot;&lt;category&gt;&quot; &lt;file.csv&gt;</source>
        <translation>-Export und -Import erwarten eine Kategorie und eine Datei: wareloom -Export &quot;&lt;Kategorie&gt;&quot; &lt;Datei.csv&gt;</translation>
    </message>
</context>
<context>
    <name>CsvFile</name>
    <message>
        <source>name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>price</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>qty</source>
        <translation>Menge</translation>
    </message>
    <message>
        <source>code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>the name is empty</source>
        <translation>der Name ist leer</translation>
    </message>
    <message>
        <source>these characters cannot be stored: </source>
        <translation>diese Zeichen können nicht gespeichert werden: </translation>
    </message>
    <message>
        <source>the %1 takes %2 bytes; at most %3 fit</source>
        <translation>das Feld „%1“ belegt %2 Bytes; höchstens %3 passen hinein</translation>
    </message>
    <message>
        <source>Line 1: %1</source>
        <translation>Zeile 1: %1</translation>
    </message>
    <message>
        <source>Line 1: column %1, &quot;%2&quot;, is not one of Name, Price, Qty, Code</source>
        <translation>Zeile 1: Spalte %1, „%2“, ist keine von Name, Price, Qty, Code</translation>
    </message>
    <message>
        <source>Line 1: the column %1 is named twice</source>
        <translation>Zeile 1: Die Spalte %1 ist doppelt benannt</translation>
    </message>
    <message>
        <source>Line 1: the first line must name the columns, among them Name: Name,Price,Qty,Code</source>
        <translation>Zeile 1: Die erste Zeile muss die Spalten benennen, darunter Name: Name,Price,Qty,Code</translation>
    </message>
    <message>
        <source>the row has %1 field(s), the first line names %2 column(s)</source>
        <translation>die Zeile hat %1 Feld(er), die erste Zeile benennt %2 Spalte(n)</translation>
    </message>
    <message>
        <source>the %1 takes more than %2 bytes; at most %3 fit</source>
        <translation>das Feld „%1“ belegt mehr als %2 Bytes; höchstens %3 passen hinein</translation>
    </message>
    <message>
        <source>the %1 holds a NUL byte, which would cut it short</source>
        <translation>das Feld „%1“ enthält ein NUL-Byte, das es abschneiden würde</translation>
    </message>
    <message>
        <source>the %1 is not UTF-8 text (save the file as CSV UTF-8)</source>
        <translation>das Feld „%1“ ist kein UTF-8-Text (speichern Sie die Datei als „CSV UTF-8“)</translation>
    </message>
    <message>
        <source>The file could not be read to its end: %1</source>
        <translation>Die Datei konnte nicht bis zum Ende gelesen werden: %1</translation>
    </message>
    <message>
        <source>Line 1: the file is empty; its first line must name the columns: Name,Price,Qty,Code</source>
        <translation>Zeile 1: Die Datei ist leer; ihre erste Zeile muss die Spalten benennen: Name,Price,Qty,Code</translation>
    </message>
    <message>
        <source>Line %1: the category would hold more than %2 items; the file was read no further.</source>
        <translation>Zeile %1: Die Kategorie hätte mehr als %2 Artikel; die Datei wurde nicht weiter gelesen.</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
</context>
<context>
    <name>CsvRowReader</name>
    <message>
        <source>the quote opened on line %1 is never closed</source>
        <translation>das in Zeile %1 geöffnete Anführungszeichen wird nie geschlossen</translation>
    </message>
    <message>
        <source>text follows a closing quote (a quote inside a quoted field is written twice)</source>
        <translation>auf ein schließendes Anführungszeichen folgt Text (ein Anführungszeichen in einem Feld in Anführungszeichen wird doppelt geschrieben)</translation>
    </message>
</context>
<context>
    <name>CurlSupport</name>
    <message>
        <source>the certificate was issued for another name than %1</source>
        <translation>das Zertifikat wurde für einen anderen Namen als %1 ausgestellt</translation>
    </message>
    <message>
        <source>the certificate is self-signed: no certificate authority vouches for it</source>
        <translation>das Zertifikat ist selbst signiert: keine Zertifizierungsstelle bürgt dafür</translation>
    </message>
    <message>
        <source>the certificate&apos;s issuer is not a certificate authority this computer knows</source>
        <translation>der Aussteller des Zertifikats ist keine Zertifizierungsstelle, die dieser Computer kennt</translation>
    </message>
    <message>
        <source>the certificate has expired</source>
        <translation>das Zertifikat ist abgelaufen</translation>
    </message>
    <message>
        <source>the certificate is not valid yet</source>
        <translation>das Zertifikat ist noch nicht gültig</translation>
    </message>
    <message>
        <source>the certificate was not accepted (OpenSSL verify error %1)</source>
        <translation>das Zertifikat wurde nicht angenommen (OpenSSL-Prüffehler %1)</translation>
    </message>
</context>
<context>
    <name>DataDirectory</name>
    <message>
        <source>The data folder %1 cannot be made.</source>
        <translation>Der Datenordner %1 kann nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>DavConnection</name>
    <message>
        <source>not a WebDAV address</source>
        <translation>keine WebDAV-Adresse</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>no remote name</source>
        <translation>kein entfernter Name</translation>
    </message>
    <message>
        <source>%1: the server did not move %2 to %3: %4</source>
        <translation>%1: Der Server hat %2 nicht nach %3 verschoben: %4</translation>
    </message>
</context>
<context>
    <name>DesktopProgram</name>
    <message>
        <source>The windows of Wareloom cannot be started: %1: %2</source>
        <translation>Die Fenster von Wareloom können nicht gestartet werden: %1: %2</translation>
    </message>
</context>
<context>
    <name>FtpConnection</name>
    <message>
        <source>&quot;%1&quot; is not an FTP server name (host, host:port, ftpes://host, ftps://host or sftp://host)</source>
        <translation>„%1“ ist kein FTP-Servername (host, host:port, ftpes://host, ftps://host oder sftp://host)</translation>
    </message>
    <message>
        <source>the FTP user name or password holds a line break</source>
        <translation>der FTP-Benutzername oder das Passwort enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>the network library cannot make a connection</source>
        <translation>die Netzwerkbibliothek kann keine Verbindung herstellen</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>the server did not rename %1 to %2: %3</source>
        <translation>der Server hat %1 nicht in %2 umbenannt: %3</translation>
    </message>
    <message>
        <source>the server did not rename %1 to %2</source>
        <translation>der Server hat %1 nicht in %2 umbenannt</translation>
    </message>
    <message>
        <source>the listing is longer than %1 MB</source>
        <translation>die Auflistung ist größer als %1 MB</translation>
    </message>
    <message>
        <source>cannot read the file again</source>
        <translation>die Datei kann nicht erneut gelesen werden</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>nicht genug Speicher</translation>
    </message>
    <message>
        <source>the server answered %1</source>
        <translation>der Server antwortete %1</translation>
    </message>
    <message>
        <source>no connection is open</source>
        <translation>keine Verbindung geöffnet</translation>
    </message>
    <message>
        <source>no remote name</source>
        <translation>kein entfernter Name</translation>
    </message>
    <message>
        <source>the remote name holds a line break</source>
        <translation>der entfernte Name enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>SSH authentication failed: the server did not accept the user name and password</source>
        <translation>SSH-Anmeldung fehlgeschlagen: Der Server hat Benutzername und Passwort nicht angenommen</translation>
    </message>
    <message>
        <source>Login refused by the server: %1</source>
        <translation>Anmeldung vom Server abgelehnt: %1</translation>
    </message>
    <message>
        <source>The server refused to encrypt the connection (AUTH TLS: %1); nothing was sent in clear text</source>
        <translation>Der Server hat die Verschlüsselung der Verbindung abgelehnt (AUTH TLS: %1); nichts wurde unverschlüsselt gesendet</translation>
    </message>
    <message>
        <source>the file is longer than %1 MB</source>
        <translation>die Datei ist größer als %1 MB</translation>
    </message>
</context>
<context>
    <name>FtpSettings</name>
    <message>
        <source>The FTP settings file %1 cannot be read: %2</source>
        <translation>Die FTP-Einstellungsdatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>No FTP/HTTP settings!</source>
        <translation>Keine FTP/HTTP-Einstellungen!</translation>
    </message>
</context>
<context>
    <name>FtpSettingsDialog</name>
    <message>
        <source>Wareloom - FTP Settings</source>
        <translation>Wareloom - FTP-Einstellungen</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Your FTP login name</source>
        <translation>Ihr FTP-Anmeldename</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Your FTP password; it is stored in clear</source>
        <translation>Ihr FTP-Passwort; es wird im Klartext gespeichert</translation>
    </message>
    <message>
        <source>FTP Server:</source>
        <translation>FTP-Server:</translation>
    </message>
    <message>
        <source>FTP Server</source>
        <translation>FTP-Server</translation>
    </message>
    <message>
        <source>The host: ftp.example.com for FTP, ftpes://, ftps:// or sftp:// before it for an encrypted connection, a port after a colon</source>
        <translation>Der Server: ftp.example.com für FTP, davor ftpes://, ftps:// oder sftp:// für eine verschlüsselte Verbindung, ein Port nach einem Doppelpunkt</translation>
    </message>
    <message>
        <source>eg: ftp.example.com</source>
        <translation>z. B.: ftp.example.com</translation>
    </message>
    <message>
        <source>Upload Path:</source>
        <translation>Upload-Pfad:</translation>
    </message>
    <message>
        <source>Upload Path</source>
        <translation>Upload-Pfad</translation>
    </message>
    <message>
        <source>The folder on the host the files go into, ending in a slash</source>
        <translation>Der Ordner auf dem Server, in den die Dateien kommen, mit einem Schrägstrich am Ende</translation>
    </message>
    <message>
        <source>eg:  /htdocs/</source>
        <translation>z. B.:  /htdocs/</translation>
    </message>
    <message>
        <source>HTTP Server:</source>
        <translation>HTTP-Server:</translation>
    </message>
    <message>
        <source>HTTP Server</source>
        <translation>HTTP-Server</translation>
    </message>
    <message>
        <source>The web address of the published inventory.htm</source>
        <translation>Die Webadresse der veröffentlichten inventory.htm</translation>
    </message>
    <message>
        <source>eg. http://www.example.com/inventory.htm</source>
        <translation>z. B. http://www.example.com/inventory.htm</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close without keeping the changes</source>
        <translation>Schließen, ohne die Änderungen zu übernehmen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Keep the settings and close</source>
        <translation>Einstellungen übernehmen und schließen</translation>
    </message>
    <message>
        <source>host or host:port: FTP (in clear)
ftpes://host[:port]: FTP over TLS (port 21)
ftps://host[:port]: FTP over implicit TLS (port 990)
sftp://host[:port]: SFTP over SSH (port 22)
s3://host[:port]/bucket: S3 object storage over HTTPS (s3+http:// in clear; ?region=name after the bucket)
davs://host[:port]/folder/: WebDAV over HTTPS (dav:// in clear)</source>
        <translation>host oder host:port: FTP (unverschlüsselt)
ftpes://host[:port]: FTP über TLS (Port 21)
ftps://host[:port]: FTP über implizites TLS (Port 990)
sftp://host[:port]: SFTP über SSH (Port 22)
s3://host[:port]/bucket: S3-Objektspeicher über HTTPS (s3+http:// unverschlüsselt; ?region=Name nach dem Bucket)
davs://host[:port]/ordner/: WebDAV über HTTPS (dav:// unverschlüsselt)</translation>
    </message>
</context>
<context>
    <name>HeadlessPublish</name>
    <message>
        <source>Error: No FTP settings: %1 cannot be read. Enter them in FTP Settings first.</source>
        <translation>Fehler: Keine FTP-Einstellungen: %1 kann nicht gelesen werden. Geben Sie sie zuerst unter FTP-Einstellungen ein.</translation>
    </message>
    <message>
        <source>Error: these pages could not be written:</source>
        <translation>Fehler: Diese Seiten konnten nicht geschrieben werden:</translation>
    </message>
    <message>
        <source>FTP Error: these pages were not uploaded:</source>
        <translation>FTP-Fehler: Diese Seiten wurden nicht hochgeladen:</translation>
    </message>
    <message>
        <source>  %1: %2</source>
        <translation>  %1: %2</translation>
    </message>
    <message>
        <source>Check your FTP settings and internet connection.</source>
        <translation>Prüfen Sie Ihre FTP-Einstellungen und Ihre Internetverbindung.</translation>
    </message>
    <message>
        <source>Error: the key of %1 has changed: it was %2 and is now %3.</source>
        <translation>Fehler: Der Schlüssel von %1 hat sich geändert: Er war %2 und ist jetzt %3.</translation>
    </message>
    <message>
        <source>Error: the key of %1 is not trusted: its SHA-256 fingerprint is %2.</source>
        <translation>Fehler: Dem Schlüssel von %1 wird nicht vertraut: Sein SHA-256-Fingerabdruck ist %2.</translation>
    </message>
    <message>
        <source>To trust it, put this line in %1:</source>
        <translation>Um ihm zu vertrauen, tragen Sie diese Zeile in %1 ein:</translation>
    </message>
    <message>
        <source>These pages on the web host belong to categories that are gone (-Prune deletes them):</source>
        <translation>Diese Seiten auf dem Webserver gehören zu Kategorien, die es nicht mehr gibt (-Prune löscht sie):</translation>
    </message>
    <message>
        <source>Summary: %1 sent, %2 unchanged, %3 failed</source>
        <translation>Zusammenfassung: %1 gesendet, %2 unverändert, %3 fehlgeschlagen</translation>
    </message>
    <message>
        <source>Error: the network library cannot be started.</source>
        <translation>Fehler: Die Netzwerkbibliothek kann nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Error: the data directory %1 does not exist.</source>
        <translation>Fehler: Der Datenordner %1 existiert nicht.</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Fehler: %1</translation>
    </message>
    <message>
        <source>  %1 of %2</source>
        <translation>  %1 von %2</translation>
    </message>
    <message>
        <source>  Not accepted because %1.</source>
        <translation>  Nicht angenommen, weil %1.</translation>
    </message>
    <message>
        <source>  Certificate SHA-256 fingerprint: %1</source>
        <translation>  SHA-256-Fingerabdruck des Zertifikats: %1</translation>
    </message>
    <message>
        <source>Error: the website was not checked: %1</source>
        <translation>Fehler: Die Website wurde nicht geprüft: %1</translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message>
        <source>No versions of &quot;%1&quot; are kept.</source>
        <translation>Von „%1“ werden keine Versionen aufbewahrt.</translation>
    </message>
    <message>
        <source>Version  Time                 Items  Action</source>
        <translation>Version  Zeit                 Stück  Aktion</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a version number.</source>
        <translation>„%1“ ist keine Versionsnummer.</translation>
    </message>
    <message>
        <source>%1 is version %2 again.</source>
        <translation>%1 ist wieder Version %2.</translation>
    </message>
    <message>
        <source>-History takes a category, -Restore a category and a version: wareloom -Restore &quot;&lt;category&gt;&quot; 3</source>
        <translation>-History erwartet eine Kategorie, -Restore eine Kategorie und eine Version: wareloom -Restore &quot;&lt;Kategorie&gt;&quot; 3</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>Wareloom - History</source>
        <translation>Wareloom - Verlauf</translation>
    </message>
    <message>
        <source>&amp;Category:</source>
        <translation>&amp;Kategorie:</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Artikel</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Restoring the selected version:</source>
        <translation>Wiederherstellen der gewählten Version:</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>HostConnection</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The host&apos;s key cannot be checked: %1</source>
        <translation>Der Schlüssel des Servers kann nicht geprüft werden: %1</translation>
    </message>
    <message>
        <source>The key of %1 has changed: it was %2 and is now %3. Nothing was sent.</source>
        <translation>Der Schlüssel von %1 hat sich geändert: Er war %2 und ist jetzt %3. Nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>The key of %1 is not trusted yet: its SHA-256 fingerprint is %2</source>
        <translation>Dem Schlüssel von %1 wird noch nicht vertraut: Sein SHA-256-Fingerabdruck ist %2</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>The key of %1 is not trusted yet (%2): its SHA-256 fingerprint is %3</source>
        <translation>Dem Schlüssel von %1 wird noch nicht vertraut (%2): Sein SHA-256-Fingerabdruck ist %3</translation>
    </message>
    <message>
        <source>, its certificate&apos;s %1</source>
        <translation>, der seines Zertifikats %1</translation>
    </message>
</context>
<context>
    <name>HostKeyQuestion</name>
    <message>
        <source>The key of %1 has changed!

Trusted key: %2
Key shown now: %3

Nothing was sent. Someone may be posing as your web host. If the host really changed its key, remove its line from %4.</source>
        <translation>Der Schlüssel von %1 hat sich geändert!

Vertrauter Schlüssel: %2
Jetzt gezeigter Schlüssel: %3

Es wurde nichts gesendet. Möglicherweise gibt sich jemand als Ihr Webserver aus. Falls der Server seinen Schlüssel wirklich geändert hat, entfernen Sie seine Zeile aus %4.</translation>
    </message>
    <message>
        <source>The identity of %1 cannot be checked.</source>
        <translation>Die Identität von %1 kann nicht geprüft werden.</translation>
    </message>
    <message>
        <source>The identity of %1 cannot be checked: %2.</source>
        <translation>Die Identität von %1 kann nicht geprüft werden: %2.</translation>
    </message>
    <message>
        <source>

Its certificate&apos;s SHA-256 fingerprint is:
%1</source>
        <translation>

Der SHA-256-Fingerabdruck seines Zertifikats ist:
%1</translation>
    </message>
    <message>
        <source>

Its SHA-256 key fingerprint is:
%1

Trust this key from now on?</source>
        <translation>

Der SHA-256-Fingerabdruck seines Schlüssels ist:
%1

Diesem Schlüssel ab jetzt vertrauen?</translation>
    </message>
</context>
<context>
    <name>HostTransfer</name>
    <message>
        <source>the upload path and %1 are longer than %2 characters together</source>
        <translation>der Upload-Pfad und %1 sind zusammen länger als %2 Zeichen</translation>
    </message>
</context>
<context>
    <name>HttpConnection</name>
    <message>
        <source>&quot;%1&quot; is not a server address (s3://host/bucket, s3+http://host:port/bucket, davs://host/folder/ or dav://host:port/folder/)</source>
        <translation>„%1“ ist keine Serveradresse (s3://host/bucket, s3+http://host:port/bucket, davs://host/ordner/ oder dav://host:port/ordner/)</translation>
    </message>
    <message>
        <source>the user name or password holds a line break</source>
        <translation>der Benutzername oder das Passwort enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>the network library cannot make a connection</source>
        <translation>die Netzwerkbibliothek kann keine Verbindung herstellen</translation>
    </message>
    <message>
        <source>no connection is open</source>
        <translation>keine Verbindung geöffnet</translation>
    </message>
    <message>
        <source>the remote name holds a line break</source>
        <translation>der entfernte Name enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>Login refused by the server: %1</source>
        <translation>Anmeldung vom Server abgelehnt: %1</translation>
    </message>
    <message>
        <source>the server answered %1</source>
        <translation>der Server antwortete %1</translation>
    </message>
    <message>
        <source>no remote name</source>
        <translation>kein entfernter Name</translation>
    </message>
    <message>
        <source>the file is longer than %1 MB</source>
        <translation>die Datei ist größer als %1 MB</translation>
    </message>
</context>
<context>
    <name>ItemDialog</name>
    <message>
        <source>Wareloom - Add New Item</source>
        <translation>Wareloom - Neuen Artikel hinzufügen</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Kategorie:</translation>
    </message>
    <message>
        <source>The category the item belongs to</source>
        <translation>Die Kategorie, zu der der Artikel gehört</translation>
    </message>
    <message>
        <source>Item:</source>
        <translation>Artikel:</translation>
    </message>
    <message>
        <source>Item name</source>
        <translation>Artikelname</translation>
    </message>
    <message>
        <source>The name of the item, up to 60 characters; it must be given</source>
        <translation>Der Name des Artikels, bis zu 60 Zeichen; er muss angegeben werden</translation>
    </message>
    <message>
        <source>Price:</source>
        <translation>Preis:</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>The price as it is to be shown, up to 10 characters</source>
        <translation>Der Preis so, wie er angezeigt werden soll, bis zu 10 Zeichen</translation>
    </message>
    <message>
        <source>Qty:</source>
        <translation>Menge:</translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation>Menge</translation>
    </message>
    <message>
        <source>The quantity in stock, up to 10 characters</source>
        <translation>Die vorrätige Menge, bis zu 10 Zeichen</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>Code:</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>The item code, up to 10 characters; its picture is named after it</source>
        <translation>Der Artikelcode, bis zu 10 Zeichen; das Bild wird nach ihm benannt</translation>
    </message>
    <message>
        <source>Picture Upload</source>
        <translation>Bild hochladen</translation>
    </message>
    <message>
        <source>Choose a picture for the item code and send it to your web host at once</source>
        <translation>Ein Bild für den Artikelcode wählen und sofort an Ihren Webserver senden</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>The picture of the item; a picture file dropped here is uploaded as Picture Upload does</source>
        <translation>Das Bild des Artikels; eine hier abgelegte Bilddatei wird wie mit „Bild hochladen“ hochgeladen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close without saving; Enter in a box does the same</source>
        <translation>Schließen ohne zu speichern; die Eingabetaste in einem Feld tut dasselbe</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Store the item in the category and close</source>
        <translation>Den Artikel in der Kategorie speichern und schließen</translation>
    </message>
</context>
<context>
    <name>ItemTexts</name>
    <message>
        <source>Maximum 60 characters for item name!</source>
        <translation>Höchstens 60 Zeichen für den Artikelnamen!</translation>
    </message>
    <message>
        <source>Maximum 10 characters for item price!</source>
        <translation>Höchstens 10 Zeichen für den Artikelpreis!</translation>
    </message>
    <message>
        <source>Maximum 10 characters for item qty!</source>
        <translation>Höchstens 10 Zeichen für die Artikelmenge!</translation>
    </message>
    <message>
        <source>Maximum 10 characters for item code!</source>
        <translation>Höchstens 10 Zeichen für den Artikelcode!</translation>
    </message>
    <message>
        <source>These characters cannot be stored: </source>
        <translation>Diese Zeichen können nicht gespeichert werden: </translation>
    </message>
    <message>
        <source>ERROR:</source>
        <translation>FEHLER:</translation>
    </message>
</context>
<context>
    <name>KnownHosts</name>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>ListLines</name>
    <message>
        <source>CATEGORY - </source>
        <translation>KATEGORIE - </translation>
    </message>
    <message>
        <source>&lt;-Back</source>
        <translation>&lt;-Zurück</translation>
    </message>
</context>
<context>
    <name>ModernPages</name>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine normale Datei</translation>
    </message>
</context>
<context>
    <name>PageFiles</name>
    <message>
        <source>The page %1 cannot be written: %2</source>
        <translation>Die Seite %1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>PublishDialog</name>
    <message>
        <source>Wareloom - FTP Upload</source>
        <translation>Wareloom - FTP-Upload</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Creating HTML</source>
        <translation>HTML wird erstellt</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>How far the upload has come</source>
        <translation>Wie weit das Hochladen gekommen ist</translation>
    </message>
    <message>
        <source>Pages not sent</source>
        <translation>Nicht gesendete Seiten</translation>
    </message>
    <message>
        <source>The pages that could not be sent, with the reasons</source>
        <translation>Die Seiten, die nicht gesendet werden konnten, mit den Gründen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stop publishing</source>
        <translation>Veröffentlichen abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>Dieses Fenster schließen</translation>
    </message>
</context>
<context>
    <name>PublishRecord</name>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 kann nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>PublishRun</name>
    <message>
        <source>its %1 is longer than %2 characters</source>
        <translation>sein Feld „%1“ ist länger als %2 Zeichen</translation>
    </message>
    <message>
        <source>Upload -&gt; %1</source>
        <translation>Hochladen -&gt; %1</translation>
    </message>
    <message>
        <source>Upload -&gt; %1 (main page)</source>
        <translation>Hochladen -&gt; %1 (Hauptseite)</translation>
    </message>
    <message>
        <source>status text</source>
        <translation>Statustext</translation>
    </message>
    <message>
        <source>local path</source>
        <translation>lokaler Pfad</translation>
    </message>
    <message>
        <source>remote name</source>
        <translation>entfernter Name</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine normale Datei</translation>
    </message>
</context>
<context>
    <name>RunLock</name>
    <message>
        <source>The run lock %1 cannot be made: %2</source>
        <translation>Die Laufsperre %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The run lock %1 cannot be taken: %2</source>
        <translation>Die Laufsperre %1 kann nicht gesetzt werden: %2</translation>
    </message>
    <message>
        <source>Another run is using this folder (%1); try again when it has ended.</source>
        <translation>Ein anderer Lauf verwendet diesen Ordner (%1); versuchen Sie es erneut, wenn er beendet ist.</translation>
    </message>
</context>
<context>
    <name>S3Connection</name>
    <message>
        <source>not an S3 address</source>
        <translation>keine S3-Adresse</translation>
    </message>
    <message>
        <source>the S3 address names no bucket: s3://host/bucket (the key prefix goes in the upload path)</source>
        <translation>die S3-Adresse nennt keinen Bucket: s3://host/bucket (das Schlüsselpräfix gehört in den Upload-Pfad)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a region</source>
        <translation>„%1“ ist keine Region</translation>
    </message>
    <message>
        <source>no remote name</source>
        <translation>kein entfernter Name</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>SearchIndex</name>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 changed while this run read it.</source>
        <translation>%1 wurde geändert, während dieser Lauf die Datei las.</translation>
    </message>
</context>
<context>
    <name>SiteCheck</name>
    <message>
        <source>The website is whole: %1 pages read, %2 files checked.</source>
        <translation>Die Website ist vollständig: %1 Seiten gelesen, %2 Dateien geprüft.</translation>
    </message>
    <message>
        <source>%1 problems: %2 pages read, %3 files checked.</source>
        <translation>Probleme: %1; %2 Seiten gelesen, %3 Dateien geprüft.</translation>
    </message>
    <message>
        <source>The website was not checked: %1</source>
        <translation>Die Website wurde nicht geprüft: %1</translation>
    </message>
    <message>
        <source>the listing of the upload folder was not understood</source>
        <translation>die Auflistung des Upload-Ordners war nicht verständlich</translation>
    </message>
    <message>
        <source>%1 cannot be read from the host (%2), so its links were not checked.</source>
        <translation>%1 kann nicht vom Server gelesen werden (%2), daher wurden seine Links nicht geprüft.</translation>
    </message>
    <message>
        <source>%1 is not linked from the main page on the host (the next publish sends a main page that links it).</source>
        <translation>%1 ist von der Hauptseite auf dem Server nicht verlinkt (die nächste Veröffentlichung sendet eine Hauptseite, die darauf verlinkt).</translation>
    </message>
    <message>
        <source>%1 is a temporary file left on the host by a publish that did not end (the next publish removes it).</source>
        <translation>%1 ist eine temporäre Datei, die eine nicht beendete Veröffentlichung auf dem Server hinterlassen hat (die nächste Veröffentlichung entfernt sie).</translation>
    </message>
    <message>
        <source> (linked from %1)</source>
        <translation> (verlinkt von %1)</translation>
    </message>
    <message>
        <source>%1%2 is missing on the host; the next publish sends it.</source>
        <translation>%1%2 fehlt auf dem Server; die nächste Veröffentlichung sendet die Datei.</translation>
    </message>
    <message>
        <source>%1%2 is missing on the host, and the data directory has no such file either.</source>
        <translation>%1%2 fehlt auf dem Server, und auch im Datenordner gibt es diese Datei nicht.</translation>
    </message>
    <message>
        <source>%1%2 is %3 bytes on the host, but %4 bytes were sent.</source>
        <translation>%1%2 ist auf dem Server %3 Bytes groß, gesendet wurden aber %4 Bytes.</translation>
    </message>
</context>
<context>
    <name>SiteCheckDialog</name>
    <message>
        <source>Wareloom - Check Website</source>
        <translation>Wareloom - Website prüfen</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Checking the website on the web host...</source>
        <translation>Die Website auf dem Webserver wird geprüft...</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Befunde</translation>
    </message>
    <message>
        <source>What is missing on the web host or differs from what was sent</source>
        <translation>Was auf dem Webserver fehlt oder von dem Gesendeten abweicht</translation>
    </message>
</context>
<context>
    <name>SitePlan</name>
    <message>
        <source>The category %1 cannot have a page: %2 is the main page. Rename the file.</source>
        <translation>Die Kategorie %1 kann keine eigene Seite haben: %2 ist die Hauptseite. Benennen Sie die Datei um.</translation>
    </message>
    <message>
        <source>%1 and %2 would both have the page %3. Rename one of them.</source>
        <translation>%1 und %2 hätten beide die Seite %3. Benennen Sie eine davon um.</translation>
    </message>
    <message>
        <source>The file name %1 is not valid UTF-8, so its category cannot be published. Rename the file.</source>
        <translation>Der Dateiname %1 ist kein gültiges UTF-8, daher kann seine Kategorie nicht veröffentlicht werden. Benennen Sie die Datei um.</translation>
    </message>
</context>
<context>
    <name>TextConversion</name>
    <message>
        <source>The code page &quot;%1&quot; cannot be used: Wareloom needs an 8-bit code page that keeps ASCII as it is, such as windows-1252, or one of CP932, CP936, CP949 and CP950.</source>
        <translation>Die Codepage „%1“ kann nicht verwendet werden: Wareloom braucht eine 8-Bit-Codepage, die ASCII unverändert lässt, etwa windows-1252, oder eine von CP932, CP936, CP949 und CP950.</translation>
    </message>
</context>
<context>
    <name>Thumbnail</name>
    <message>
        <source>No thumbnail of %1 was made: %2</source>
        <translation>Von %1 wurde kein Vorschaubild erstellt: %2</translation>
    </message>
</context>
<context>
    <name>UploadPool</name>
    <message>
        <source>The server does not rename files: each file is sent under its own name, so a visitor may see a page half written while it arrives.</source>
        <translation>Der Server benennt keine Dateien um: Jede Datei wird unter ihrem eigenen Namen gesendet, daher kann ein Besucher eine Seite halb geschrieben sehen, während sie ankommt.</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>nicht gesendet</translation>
    </message>
    <message>
        <source>not sent: the run was cancelled</source>
        <translation>nicht gesendet: Der Lauf wurde abgebrochen</translation>
    </message>
</context>
<context>
    <name>WebHost</name>
    <message>
        <source>Banner Uploaded!</source>
        <translation>Banner hochgeladen!</translation>
    </message>
    <message>
        <source>No web browser could be started for &quot;%1&quot;.</source>
        <translation>Für „%1“ konnte kein Webbrowser gestartet werden.</translation>
    </message>
    <message>
        <source>Image Uploaded!</source>
        <translation>Bild hochgeladen!</translation>
    </message>
    <message>
        <source>the path of the chosen file is longer than %1 characters</source>
        <translation>der Pfad der gewählten Datei ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 ist keine Datei</translation>
    </message>
    <message>
        <source>FTP Error!

</source>
        <translation>FTP-Fehler!

</translation>
    </message>
</context>
<context>
    <name>WebsiteSettings</name>
    <message>
        <source>&quot;%1&quot; cannot be the contact address: %2.</source>
        <translation>„%1“ kann nicht die Kontaktadresse sein: %2.</translation>
    </message>
    <message>
        <source>it holds a line break; give one address on one line</source>
        <translation>sie enthält einen Zeilenumbruch; geben Sie eine Adresse in einer Zeile an</translation>
    </message>
    <message>
        <source>it holds a space; give one address without spaces</source>
        <translation>sie enthält ein Leerzeichen; geben Sie eine Adresse ohne Leerzeichen an</translation>
    </message>
    <message>
        <source>give only one address</source>
        <translation>geben Sie nur eine Adresse an</translation>
    </message>
    <message>
        <source>it needs one @ with text before and after it</source>
        <translation>sie braucht ein @ mit Text davor und danach</translation>
    </message>
    <message>
        <source>a mail address cannot hold the character %1</source>
        <translation>eine E-Mail-Adresse darf das Zeichen %1 nicht enthalten</translation>
    </message>
    <message>
        <source>The website settings could not be written to %1.</source>
        <translation>Die Website-Einstellungen konnten nicht in %1 geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>WebsiteSettingsDialog</name>
    <message>
        <source>Wareloom - Website Settings</source>
        <translation>Wareloom - Website-Einstellungen</translation>
    </message>
    <message>
        <source>Shop name:</source>
        <translation>Name des Geschäfts:</translation>
    </message>
    <message>
        <source>Shop name</source>
        <translation>Name des Geschäfts</translation>
    </message>
    <message>
        <source>The title of the main page; empty keeps the pages as they were</source>
        <translation>Der Titel der Hauptseite; leer lässt die Seiten, wie sie waren</translation>
    </message>
    <message>
        <source>Contact e-mail:</source>
        <translation>Kontakt-E-Mail:</translation>
    </message>
    <message>
        <source>Contact e-mail</source>
        <translation>Kontakt-E-Mail</translation>
    </message>
    <message>
        <source>The address the main page shows; empty shows sales@example.com</source>
        <translation>Die Adresse, die die Hauptseite zeigt; leer zeigt sales@example.com</translation>
    </message>
    <message>
        <source>Page style:</source>
        <translation>Seitenstil:</translation>
    </message>
    <message>
        <source>Page style</source>
        <translation>Seitenstil</translation>
    </message>
    <message>
        <source>Classic pages, or modern pages for phones and desktops</source>
        <translation>Klassische Seiten oder moderne Seiten für Smartphones und Desktop</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Klassisch</translation>
    </message>
    <message>
        <source>Modern (for phones and desktops)</source>
        <translation>Modern (für Smartphones und Desktop)</translation>
    </message>
    <message>
        <source>Currency (modern):</source>
        <translation>Währung (modern):</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Währung</translation>
    </message>
    <message>
        <source>The currency the modern pages show with each price; empty shows prices as typed</source>
        <translation>Die Währung, die die modernen Seiten bei jedem Preis zeigen; leer zeigt die Preise wie eingegeben</translation>
    </message>
    <message>
        <source>€ or EUR; empty: prices as typed</source>
        <translation>€ oder EUR; leer: Preise wie eingegeben</translation>
    </message>
    <message>
        <source>Price notation:</source>
        <translation>Preisschreibweise:</translation>
    </message>
    <message>
        <source>Price notation</source>
        <translation>Preisschreibweise</translation>
    </message>
    <message>
        <source>How the modern pages write a price, as a locale name such as de_DE</source>
        <translation>Wie die modernen Seiten einen Preis schreiben, als Locale-Name wie de_DE</translation>
    </message>
    <message>
        <source>en_US, de_DE, fr_FR...</source>
        <translation>de_DE, en_US, fr_FR...</translation>
    </message>
    <message>
        <source>Quantity 0:</source>
        <translation>Menge 0:</translation>
    </message>
    <message>
        <source>Items with quantity 0</source>
        <translation>Artikel mit Menge 0</translation>
    </message>
    <message>
        <source>Whether the modern pages mark items with quantity 0 as sold out or leave them out</source>
        <translation>Ob die modernen Seiten Artikel mit Menge 0 als ausverkauft kennzeichnen oder weglassen</translation>
    </message>
    <message>
        <source>Marked &quot;Sold out&quot;</source>
        <translation>Als „Ausverkauft“ gekennzeichnet</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Ausgeblendet</translation>
    </message>
    <message>
        <source>Empty boxes keep the pages as they have always been. The pages change at the next FTP Upload.</source>
        <translation>Leere Felder lassen die Seiten, wie sie immer waren. Die Seiten ändern sich beim nächsten FTP-Upload.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Unknown switch %1</source>
        <translation>Unbekannter Schalter %1</translation>
    </message>
    <message>
        <source>wareloom --help lists every switch.</source>
        <translation>wareloom --help listet alle Schalter auf.</translation>
    </message>
</context>
<context>
    <name>wareloom::AboutDialog</name>
    <message>
        <source>Wareloom Version %1</source>
        <translation>Wareloom Version %1</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>Dieses Fenster schließen</translation>
    </message>
</context>
<context>
    <name>wareloom::Application</name>
    <message>
        <source>Windows sockets initialization failed.</source>
        <translation>Die Windows-Sockets konnten nicht initialisiert werden.</translation>
    </message>
    <message>
        <source>OLE initialization failed.  Make sure that the OLE libraries are the correct version.</source>
        <translation>Die OLE-Initialisierung ist fehlgeschlagen. Stellen Sie sicher, dass die OLE-Bibliotheken in der richtigen Version vorliegen.</translation>
    </message>
    <message>
        <source>Another Wareloom is using the folder %1. Close it first, or use its window.</source>
        <translation>Ein anderes Wareloom verwendet den Ordner %1. Schließen Sie es zuerst oder verwenden Sie sein Fenster.</translation>
    </message>
</context>
<context>
    <name>wareloom::CategoryDialog</name>
    <message>
        <source>Maximum 80 Characters for category name!</source>
        <translation>Höchstens 80 Zeichen für den Kategorienamen!</translation>
    </message>
    <message>
        <source>ERROR:</source>
        <translation>FEHLER:</translation>
    </message>
</context>
<context>
    <name>wareloom::FtpSettingsDialog</name>
    <message>
        <source>These characters cannot be stored: </source>
        <translation>Diese Zeichen können nicht gespeichert werden: </translation>
    </message>
    <message>
        <source>ERROR:</source>
        <translation>FEHLER:</translation>
    </message>
    <message>
        <source>Files will go to %1inventory.htm. Save anyway?</source>
        <translation>Die Dateien landen in %1inventory.htm. Trotzdem speichern?</translation>
    </message>
</context>
<context>
    <name>wareloom::HistoryDialog</name>
    <message>
        <source>&amp;Deleted category:</source>
        <translation>&amp;Gelöschte Kategorie:</translation>
    </message>
    <message>
        <source>No versions are kept.</source>
        <translation>Es werden keine Versionen aufbewahrt.</translation>
    </message>
    <message>
        <source>brings back  %1</source>
        <translation>holt zurück  %1</translation>
    </message>
    <message>
        <source>takes away   %1</source>
        <translation>entfernt     %1</translation>
    </message>
    <message>
        <source>changes      %1</source>
        <translation>ändert       %1</translation>
    </message>
    <message>
        <source>changes no item</source>
        <translation>ändert keinen Artikel</translation>
    </message>
</context>
<context>
    <name>wareloom::Inventory</name>
    <message>
        <source>%1 was changed by another program; it has been reloaded. Please make your change again.</source>
        <translation>%1 wurde von einem anderen Programm geändert und neu geladen. Bitte nehmen Sie Ihre Änderung erneut vor.</translation>
    </message>
    <message>
        <source>No category is open.</source>
        <translation>Es ist keine Kategorie geöffnet.</translation>
    </message>
    <message>
        <source>This category already holds %1 items, the most one category can hold.</source>
        <translation>Diese Kategorie enthält bereits %1 Artikel, mehr kann eine Kategorie nicht aufnehmen.</translation>
    </message>
    <message>
        <source>Add Item &apos;%1&apos;</source>
        <translation>Artikel „%1“ hinzufügen</translation>
    </message>
    <message>
        <source>Edit Item &apos;%1&apos;</source>
        <translation>Artikel „%1“ bearbeiten</translation>
    </message>
    <message>
        <source>Delete Item &apos;%1&apos;</source>
        <translation>Artikel „%1“ löschen</translation>
    </message>
    <message>
        <source>New Category &apos;%1&apos;</source>
        <translation>Neue Kategorie „%1“</translation>
    </message>
    <message>
        <source>Import into &apos;%1&apos;</source>
        <translation>Import in „%1“</translation>
    </message>
    <message>
        <source>Delete Category &apos;%1&apos;</source>
        <translation>Kategorie „%1“ löschen</translation>
    </message>
    <message>
        <source>Restore &apos;%1&apos; version %2</source>
        <translation>„%1“ auf Version %2 zurücksetzen</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Wiederherstellen: %1</translation>
    </message>
</context>
<context>
    <name>wareloom::ItemDialog</name>
    <message>
        <source>Wareloom - Edit</source>
        <translation>Wareloom - Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Item</source>
        <translation>&amp;Artikel</translation>
    </message>
    <message>
        <source>&amp;Delete Item</source>
        <translation>Artikel &amp;löschen</translation>
    </message>
    <message>
        <source>Delete this item from the category</source>
        <translation>Diesen Artikel aus der Kategorie löschen</translation>
    </message>
    <message>
        <source>Error: You must enter an item name!</source>
        <translation>Fehler: Sie müssen einen Artikelnamen eingeben!</translation>
    </message>
    <message>
        <source>You have to enter an item name!</source>
        <translation>Bitte geben Sie einen Artikelnamen ein!</translation>
    </message>
    <message>
        <source>The item was not saved. %1</source>
        <translation>Der Artikel wurde nicht gespeichert. %1</translation>
    </message>
    <message>
        <source>Delete this inventory item.  Are you sure?</source>
        <translation>Diesen Artikel aus dem Bestand löschen. Sind Sie sicher?</translation>
    </message>
    <message>
        <source>The item was not deleted. %1</source>
        <translation>Der Artikel wurde nicht gelöscht. %1</translation>
    </message>
    <message>
        <source>This entry has a picture.  Remove the picture from the FTP server?</source>
        <translation>Dieser Eintrag hat ein Bild. Das Bild vom FTP-Server entfernen?</translation>
    </message>
    <message>
        <source>

%1 is also the picture of: %2</source>
        <translation>

%1 ist auch das Bild von: %2</translation>
    </message>
    <message>
        <source>No picture was removed: &quot;%1&quot; cannot be the code of a picture.</source>
        <translation>Es wurde kein Bild entfernt: „%1“ kann nicht der Code eines Bildes sein.</translation>
    </message>
    <message>
        <source>Enter the item &apos;code&apos; first.  The image is renamed the &apos;Code.jpg&apos;</source>
        <translation>Geben Sie zuerst den Artikelcode ein. Das Bild wird in „Code.jpg“ umbenannt.</translation>
    </message>
    <message>
        <source>The code &quot;%1&quot; cannot name a picture file: it must not hold / or \ and must not be . or ..</source>
        <translation>Der Code „%1“ kann keine Bilddatei benennen: Er darf weder / noch \ enthalten und nicht . oder .. sein</translation>
    </message>
    <message>
        <source>The picture was not copied into the data directory.
%1</source>
        <translation>Das Bild wurde nicht in den Datenordner kopiert.
%1</translation>
    </message>
</context>
<context>
    <name>wareloom::MainWindow</name>
    <message>
        <source>Find items by name or code (Ctrl+F)</source>
        <translation>Artikel nach Name oder Code suchen (Strg+F)</translation>
    </message>
    <message>
        <source>What the list shows: the category list, or the open category</source>
        <translation>Was die Liste zeigt: die Kategorienliste oder die geöffnete Kategorie</translation>
    </message>
    <message>
        <source>The number of items: of every category, or of the open category</source>
        <translation>Die Anzahl der Artikel: aller Kategorien oder der geöffneten Kategorie</translation>
    </message>
    <message>
        <source>Find items</source>
        <translation>Artikel suchen</translation>
    </message>
    <message>
        <source>Lists only the items whose name or code holds the text</source>
        <translation>Zeigt nur die Artikel, deren Name oder Code den Text enthält</translation>
    </message>
    <message>
        <source>&amp;Quit Program</source>
        <translation>Programm &amp;beenden</translation>
    </message>
    <message>
        <source>&amp;Item Add</source>
        <translation>Artikel &amp;hinzufügen</translation>
    </message>
    <message>
        <source>&amp;New Category</source>
        <translation>&amp;Neue Kategorie</translation>
    </message>
    <message>
        <source>&amp;Export to CSV...</source>
        <translation>Als CSV &amp;exportieren...</translation>
    </message>
    <message>
        <source>&amp;Import from CSV...</source>
        <translation>Aus CSV &amp;importieren...</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>&amp;Delete Category</source>
        <translation>Kategorie &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;FTP Settings</source>
        <translation>&amp;FTP-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;FTP Upload</source>
        <translation>FTP-&amp;Upload</translation>
    </message>
    <message>
        <source>Upload &amp;All Pages</source>
        <translation>&amp;Alle Seiten hochladen</translation>
    </message>
    <message>
        <source>&amp;WebSite</source>
        <translation>&amp;Website</translation>
    </message>
    <message>
        <source>W&amp;ebSite Banner Upload</source>
        <translation>Website-&amp;Banner hochladen</translation>
    </message>
    <message>
        <source>Website &amp;Settings...</source>
        <translation>Website-&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber Wareloom</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Items</source>
        <translation>&amp;Artikel</translation>
    </message>
    <message>
        <source>&amp;Category</source>
        <translation>&amp;Kategorie</translation>
    </message>
    <message>
        <source>&amp;HTML</source>
        <translation>H&amp;TML</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>End the program</source>
        <translation>Das Programm beenden</translation>
    </message>
    <message>
        <source>Add an item to the open category</source>
        <translation>Einen Artikel zur geöffneten Kategorie hinzufügen</translation>
    </message>
    <message>
        <source>Make an empty category</source>
        <translation>Eine leere Kategorie anlegen</translation>
    </message>
    <message>
        <source>Delete the open category</source>
        <translation>Die geöffnete Kategorie löschen</translation>
    </message>
    <message>
        <source>Write the open category as a CSV file</source>
        <translation>Die geöffnete Kategorie als CSV-Datei speichern</translation>
    </message>
    <message>
        <source>Add the rows of a CSV file to a category</source>
        <translation>Die Zeilen einer CSV-Datei zu einer Kategorie hinzufügen</translation>
    </message>
    <message>
        <source>The login and addresses of your web host</source>
        <translation>Die Anmeldedaten und Adressen Ihres Webservers</translation>
    </message>
    <message>
        <source>Publish the pages that changed to your web host</source>
        <translation>Die geänderten Seiten auf Ihrem Webserver veröffentlichen</translation>
    </message>
    <message>
        <source>Publish every page to your web host</source>
        <translation>Alle Seiten auf Ihrem Webserver veröffentlichen</translation>
    </message>
    <message>
        <source>Open the published website in your browser</source>
        <translation>Die veröffentlichte Website im Browser öffnen</translation>
    </message>
    <message>
        <source>Send a picture as the banner of the main page</source>
        <translation>Ein Bild als Banner der Hauptseite senden</translation>
    </message>
    <message>
        <source>The shop name, contact address and page style</source>
        <translation>Name des Geschäfts, Kontaktadresse und Seitenstil</translation>
    </message>
    <message>
        <source>The version of Wareloom and its makers</source>
        <translation>Die Version von Wareloom und seine Entwickler</translation>
    </message>
    <message>
        <source>Found in every category</source>
        <translation>Gefunden in allen Kategorien</translation>
    </message>
    <message>
        <source>Category List</source>
        <translation>Kategorienliste</translation>
    </message>
    <message>
        <source>Not listed, as their names are not valid UTF-8 (rename them): %1</source>
        <translation>Nicht aufgeführt, da ihre Namen kein gültiges UTF-8 sind (benennen Sie sie um): %1</translation>
    </message>
    <message>
        <source>The first line goes back to the category list; select an item to edit it</source>
        <translation>Die erste Zeile führt zurück zur Kategorienliste; wählen Sie einen Artikel, um ihn zu bearbeiten</translation>
    </message>
    <message>
        <source>Each category with its number of items; select one to open it</source>
        <translation>Jede Kategorie mit der Anzahl ihrer Artikel; wählen Sie eine, um sie zu öffnen</translation>
    </message>
    <message>
        <source>The items found, with their category; select one to edit it</source>
        <translation>Die gefundenen Artikel mit ihrer Kategorie; wählen Sie einen, um ihn zu bearbeiten</translation>
    </message>
    <message>
        <source>Error You have to select a category first!</source>
        <translation>Fehler: Bitte wählen Sie zuerst eine Kategorie aus!</translation>
    </message>
    <message>
        <source>Delete the category %1 and its %2 item?

It can be restored from Category &gt; History...</source>
        <translation>Die Kategorie %1 mit %2 Artikel löschen?

Sie kann unter Kategorie &gt; Verlauf... wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Delete the category %1 and its %2 items?

It can be restored from Category &gt; History...</source>
        <translation>Die Kategorie %1 mit ihren %2 Artikeln löschen?

Sie kann unter Kategorie &gt; Verlauf... wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Delete Category?</source>
        <translation>Kategorie löschen?</translation>
    </message>
    <message>
        <source>Delete the webpage from the FTP server?</source>
        <translation>Die Webseite vom FTP-Server löschen?</translation>
    </message>
    <message>
        <source>Quit program.  Are you sure?</source>
        <translation>Programm beenden. Sind Sie sicher?</translation>
    </message>
    <message>
        <source>Quit Program</source>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <source>Open the category to export first.</source>
        <translation>Öffnen Sie zuerst die Kategorie, die exportiert werden soll.</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Nothing was imported:
</source>
        <translation>Es wurde nichts importiert:
</translation>
    </message>
    <message>
        <source>%1 items imported into %2.</source>
        <translation>%1 Artikel in %2 importiert.</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederherstellen: %1</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;Verlauf...</translation>
    </message>
    <message>
        <source>Import the rows of %1 into the category %2?</source>
        <translation>Die Zeilen von %1 in die Kategorie %2 importieren?</translation>
    </message>
    <message>
        <source>Import from CSV</source>
        <translation>Aus CSV importieren</translation>
    </message>
    <message>
        <source>&amp;Check Website</source>
        <translation>Website &amp;prüfen</translation>
    </message>
</context>
<context>
    <name>wareloom::PublishDialog</name>
    <message>
        <source>Publish</source>
        <translation>Veröffentlichen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Error: No FTP setrtings!</source>
        <translation>Fehler: Keine FTP-Einstellungen!</translation>
    </message>
    <message>
        <source>FTP Error: Check your FTP settings and internet connection.</source>
        <translation>FTP-Fehler: Prüfen Sie Ihre FTP-Einstellungen und Ihre Internetverbindung.</translation>
    </message>
    <message>
        <source>FTP Error</source>
        <translation>FTP-Fehler</translation>
    </message>
    <message>
        <source>These pages are on the web host, but their categories are gone:

%1

Delete them from the web host?</source>
        <translation>Diese Seiten liegen auf dem Webserver, aber ihre Kategorien gibt es nicht mehr:

%1

Sie vom Webserver löschen?</translation>
    </message>
    <message>
        <source>Not sent:</source>
        <translation>Nicht gesendet:</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>wareloom::PublishRun</name>
    <message>
        <source>Creating HTML</source>
        <translation>HTML wird erstellt</translation>
    </message>
    <message>
        <source>%1 The next run writes again the pages it cannot vouch for.</source>
        <translation>%1 Der nächste Lauf schreibt die Seiten neu, für die er nicht bürgen kann.</translation>
    </message>
    <message>
        <source>%1 unchanged</source>
        <translation>%1 unverändert</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>The upload folder could not be listed (%1): every page is sent.</source>
        <translation>Der Upload-Ordner konnte nicht aufgelistet werden (%1): Alle Seiten werden gesendet.</translation>
    </message>
    <message>
        <source>the listing was not understood</source>
        <translation>die Auflistung war unverständlich</translation>
    </message>
    <message>
        <source>not deleted: the upload folder does not show it as it was sent</source>
        <translation>nicht gelöscht: Der Upload-Ordner zeigt sie nicht so, wie sie gesendet wurde</translation>
    </message>
    <message>
        <source>Delete -&gt; %1</source>
        <translation>Löschen -&gt; %1</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>wareloom::WebsiteSettingsDialog</name>
    <message>
        <source>Keep the settings and close</source>
        <translation>Einstellungen übernehmen und schließen</translation>
    </message>
    <message>
        <source>Close without keeping the changes</source>
        <translation>Schließen, ohne die Änderungen zu übernehmen</translation>
    </message>
</context>
</TS>
