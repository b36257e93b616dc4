<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Wareloom</source>
        <translation>À propos de Wareloom</translation>
    </message>
    <message>
        <source>Wareloom Version 1.0</source>
        <translation>Wareloom version 1.0</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 The Wareloom developers</source>
        <translation>Copyright (C) 2026 Les développeurs de Wareloom</translation>
    </message>
    <message>
        <source>E-mail: wareloom@example.org</source>
        <translation>Courriel&#xa0;: wareloom@example.org</translation>
    </message>
    <message>
        <source>Web: https://wareloom.example.org/</source>
        <translation>Web&#xa0;: https://wareloom.example.org/</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>Impossible d’écrire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>only part of it could be written</source>
        <translation>seule une partie a pu être écrite</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>Impossible de lire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>ce n’est pas un fichier</translation>
    </message>
</context>
<context>
    <name>AutomationRegistration</name>
    <message>
        <source>Cannot create the folder of %1.</source>
        <translation>Impossible de créer le dossier de %1.</translation>
    </message>
    <message>
        <source>Cannot remove %1: %2</source>
        <translation>Impossible de supprimer %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>CategoryDialog</name>
    <message>
        <source>Wareloom - Add Category</source>
        <translation>Wareloom - Ajouter une catégorie</translation>
    </message>
    <message>
        <source>New Category Name:</source>
        <translation>Nom de la nouvelle catégorie&#xa0;:</translation>
    </message>
    <message>
        <source>New category name</source>
        <translation>Nom de la nouvelle catégorie</translation>
    </message>
    <message>
        <source>The name of the new category and of its page</source>
        <translation>Le nom de la nouvelle catégorie et de sa page</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close without making a category</source>
        <translation>Fermer sans créer de catégorie</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Make the category and close</source>
        <translation>Créer la catégorie et fermer</translation>
    </message>
</context>
<context>
    <name>CategoryHistory</name>
    <message>
        <source>The history folder %1 cannot be made.</source>
        <translation>Impossible de créer le dossier d’historique %1.</translation>
    </message>
    <message>
        <source>%1 has no version %2 in its history.</source>
        <translation>L’historique de %1 ne contient pas de version %2.</translation>
    </message>
</context>
<context>
    <name>CategoryLock</name>
    <message>
        <source>The category lock %1 cannot be taken: %2</source>
        <translation>Impossible de prendre le verrou des catégories %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>CategoryPage</name>
    <message>
        <source>The category file %1 cannot be read: %2</source>
        <translation>Impossible de lire le fichier de catégorie %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>The category %1 cannot have a page: %2 is the main page.</source>
        <translation>La catégorie %1 ne peut pas avoir de page&#xa0;: %2 est la page principale.</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
</context>
<context>
    <name>CategoryStore</name>
    <message>
        <source>The category file %1 holds more than %2 items; Wareloom can hold at most %2 items in one category.</source>
        <translation>Le fichier de catégorie %1 contient plus de %2 articles&#xa0;; Wareloom ne peut gérer que %2 articles au plus dans une catégorie.</translation>
    </message>
    <message>
        <source>The category file %1 cannot be read: %2</source>
        <translation>Impossible de lire le fichier de catégorie %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Nothing was changed: %1 cannot be read to keep it in the history. %2</source>
        <translation>Rien n’a été modifié&#xa0;: impossible de lire %1 pour le conserver dans l’historique. %2</translation>
    </message>
    <message>
        <source>Nothing was changed: the present %1 cannot be kept in the history. %2</source>
        <translation>Rien n’a été modifié&#xa0;: impossible de conserver l’actuel %1 dans l’historique. %2</translation>
    </message>
    <message>
        <source>%1 cannot be deleted.</source>
        <translation>Impossible de supprimer %1.</translation>
    </message>
    <message>
        <source>The category would hold %1 items; at most %2 fit.</source>
        <translation>La catégorie contiendrait %1 articles&#xa0;; %2 au plus sont possibles.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as a category name: it must not hold / or \.</source>
        <translation>«&#xa0;%1&#xa0;» ne peut pas servir de nom de catégorie&#xa0;: il ne doit contenir ni / ni \.</translation>
    </message>
    <message>
        <source>inventory is the name of the main page</source>
        <translation>inventory est le nom de la page principale</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; already exists.</source>
        <translation>La catégorie «&#xa0;%1&#xa0;» existe déjà.</translation>
    </message>
    <message>
        <source>The category &quot;%1&quot; cannot be created: %2</source>
        <translation>Impossible de créer la catégorie «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
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
        <translation>Usage&#xa0;: wareloom [option]
Tenir une liste de stock et la publier comme site web par FTP.

Une option s’écrit après / ou -, en majuscules ou en minuscules&#xa0;; une option
inconnue est refusée. Les autres arguments sont ignorés. Sans option,
Wareloom réécrit son fichier d’activation D-Bus et ouvre la fenêtre
principale.

  -Automation, -Embedding   servir l’objet Wareloom.Application sur le bus
                            de session et ouvrir la fenêtre principale&#xa0;;
                            tant qu’un client tient l’objet, fermer la
                            fenêtre ne fait que la masquer
  -Register, -Regserver     écrire le fichier d’activation D-Bus et la
                            description de l’interface, puis terminer
  -Unregister, -Unregserver les supprimer, puis terminer
  -Publish                  écrire les pages et envoyer celles que
                            l’hébergeur n’a pas encore (FTP, FTPS ou SFTP),
                            sans fenêtre
  -Publish -All             envoyer toutes les pages
  -Publish -Prune           supprimer aussi de l’hébergeur les pages que ce
                            programme y a envoyées et dont les catégories
                            ont disparu
  -Generate                 écrire les pages seulement, sans fenêtre
  -Check                    vérifier le site sur l’hébergeur&#xa0;: chaque lien
                            et chaque image des pages publiées absents de
                            l’hébergeur ou d’une autre taille que celle
                            envoyée, et les fichiers temporaires laissés
  -Export CATÉGORIE FICHIER écrire les articles de la catégorie dans un
                            fichier CSV (- pour la sortie standard)
  -Import CATÉGORIE FICHIER ajouter les articles d’un fichier CSV à la
                            catégorie, créée au besoin (- pour l’entrée
                            standard)&#xa0;; un fichier dont une ligne est
                            fautive ne change rien
  -History CATÉGORIE        lister les versions conservées de la catégorie
                            (même supprimée)&#xa0;: numéro, heure, articles,
                            action
  -Restore CATÉGORIE VERSION
                            refaire d’une version conservée le fichier de
                            la catégorie&#xa0;; ce qu’elle remplace est conservé
                            comme version aussi
  --version, -Version       afficher la version et terminer
  --help, -help, /?         afficher cette aide et terminer

Environnement&#xa0;:
  WARELOOM_DATA_DIR   le dossier de données (par défaut ~/Wareloom)
  WARELOOM_CODEPAGE   la page de code 8 bits des enregistrements, des
                      paramètres et des pages (tout nom iconv&#xa0;; par défaut&#xa0;:
                      la page de code Windows des paramètres régionaux)
  XDG_DATA_HOME       où -Register écrit le fichier d’activation
                      (par défaut ~/.local/share)

Code de retour de -Publish, -Generate et -Check&#xa0;:
  0 terminé (-Check&#xa0;: le site est complet), 1 une page n’a pas été
  écrite ou envoyée (-Check&#xa0;: quelque chose manque ou diffère, ou
  l’hébergeur n’a pas pu être listé), 2 aucun paramètre FTP,
  3 aucune bibliothèque réseau, 4 une autre exécution utilise ce dossier
  (après 30 s d’attente), 5 la clé de l’hébergeur n’est pas approuvée
  (nouvelle ou changée)
</translation>
    </message>
</context>
<context>
    <name>CsvCommand</name>
    <message>
        <source>There is no category &quot;%1&quot;.</source>
        <translation>Il n’y a pas de catégorie «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>Impossible d’écrire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>Impossible de lire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Nothing was imported.</source>
        <translation>Rien n’a été importé.</translation>
    </message>
    <message>
        <source>Import into &apos;%1&apos;</source>
        <translation>Importation dans «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>%1 item imported into %2.</source>
        <translation>%1 article importé dans %2.</translation>
    </message>
    <message>
        <source>%1 items imported into %2.</source>
        <translation>%1 articles importés dans %2.</translation>
    </message>
    <message>
        <source>-Export and -Import take a category and a file: wareloom -Export &quot;&lt;category&gt;&quot; &lt;file.csv&gt;</source>
        <translation>-Export et -Import attendent une catégorie et un fichier&#xa0;: wareloom -Export &quot;&lt;catégorie&gt;&quot; &lt;fichier.csv&gt;</translation>
    </message>
</context>
<context>
    <name>CsvFile</name>
    <message>
        <source>name</source>
        <translation>nom</translation>
    </message>
    <message>
        <source>price</source>
        <translation>prix</translation>
    </message>
    <message>
        <source>qty</source>
        <translation>quantité</translation>
    </message>
    <message>
        <source>code</source>
        <translation>code</translation>
    </message>
    <message>
        <source>the name is empty</source>
        <translation>le nom est vide</translation>
    </message>
    <message>
        <source>these characters cannot be stored: </source>
        <translation>ces caractères ne peuvent pas être enregistrés&#xa0;: </translation>
    </message>
    <message>
        <source>the %1 takes %2 bytes; at most %3 fit</source>
        <translation>le champ «&#xa0;%1&#xa0;» occupe %2 octets&#xa0;; %3 au plus sont possibles</translation>
    </message>
    <message>
        <source>Line 1: %1</source>
        <translation>Ligne 1&#xa0;: %1</translation>
    </message>
    <message>
        <source>Line 1: column %1, &quot;%2&quot;, is not one of Name, Price, Qty, Code</source>
        <translation>Ligne 1&#xa0;: la colonne %1, «&#xa0;%2&#xa0;», n’est ni Name, ni Price, ni Qty, ni Code</translation>
    </message>
    <message>
        <source>Line 1: the column %1 is named twice</source>
        <translation>Ligne 1&#xa0;: la colonne %1 est nommée deux fois</translation>
    </message>
    <message>
        <source>Line 1: the first line must name the columns, among them Name: Name,Price,Qty,Code</source>
        <translation>Ligne 1&#xa0;: la première ligne doit nommer les colonnes, dont Name&#xa0;: Name,Price,Qty,Code</translation>
    </message>
    <message>
        <source>the row has %1 field(s), the first line names %2 column(s)</source>
        <translation>la ligne a %1 champ(s), la première ligne nomme %2 colonne(s)</translation>
    </message>
    <message>
        <source>the %1 takes more than %2 bytes; at most %3 fit</source>
        <translation>le champ «&#xa0;%1&#xa0;» occupe plus de %2 octets&#xa0;; %3 au plus sont possibles</translation>
    </message>
    <message>
        <source>the %1 holds a NUL byte, which would cut it short</source>
        <translation>le champ «&#xa0;%1&#xa0;» contient un octet NUL, qui le tronquerait</translation>
    </message>
    <message>
        <source>the %1 is not UTF-8 text (save the file as CSV UTF-8)</source>
        <translation>le champ «&#xa0;%1&#xa0;» n’est pas du texte UTF-8 (enregistrez le fichier au format «&#xa0;CSV UTF-8&#xa0;»)</translation>
    </message>
    <message>
        <source>The file could not be read to its end: %1</source>
        <translation>Le fichier n’a pas pu être lu jusqu’au bout&#xa0;: %1</translation>
    </message>
    <message>
        <source>Line 1: the file is empty; its first line must name the columns: Name,Price,Qty,Code</source>
        <translation>Ligne 1&#xa0;: le fichier est vide&#xa0;; sa première ligne doit nommer les colonnes&#xa0;: Name,Price,Qty,Code</translation>
    </message>
    <message>
        <source>Line %1: the category would hold more than %2 items; the file was read no further.</source>
        <translation>Ligne %1&#xa0;: la catégorie contiendrait plus de %2 articles&#xa0;; la suite du fichier n’a pas été lue.</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Ligne %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>CsvRowReader</name>
    <message>
        <source>the quote opened on line %1 is never closed</source>
        <translation>le guillemet ouvert à la ligne %1 n’est jamais fermé</translation>
    </message>
    <message>
        <source>text follows a closing quote (a quote inside a quoted field is written twice)</source>
        <translation>du texte suit un guillemet fermant (un guillemet dans un champ entre guillemets s’écrit deux fois)</translation>
    </message>
</context>
<context>
    <name>CurlSupport</name>
    <message>
        <source>the certificate was issued for another name than %1</source>
        <translation>le certificat a été émis pour un autre nom que %1</translation>
    </message>
    <message>
        <source>the certificate is self-signed: no certificate authority vouches for it</source>
        <translation>le certificat est autosigné&#xa0;: aucune autorité de certification ne s’en porte garante</translation>
    </message>
    <message>
        <source>the certificate&apos;s issuer is not a certificate authority this computer knows</source>
        <translation>l’émetteur du certificat n’est pas une autorité de certification connue de cet ordinateur</translation>
    </message>
    <message>
        <source>the certificate has expired</source>
        <translation>le certificat a expiré</translation>
    </message>
    <message>
        <source>the certificate is not valid yet</source>
        <translation>le certificat n’est pas encore valide</translation>
    </message>
    <message>
        <source>the certificate was not accepted (OpenSSL verify error %1)</source>
        <translation>le certificat n’a pas été accepté (erreur de vérification OpenSSL %1)</translation>
    </message>
</context>
<context>
    <name>DataDirectory</name>
    <message>
        <source>The data folder %1 cannot be made.</source>
        <translation>Impossible de créer le dossier de données %1.</translation>
    </message>
</context>
<context>
    <name>DavConnection</name>
    <message>
        <source>not a WebDAV address</source>
        <translation>ce n’est pas une adresse WebDAV</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>impossible de lire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>no remote name</source>
        <translation>aucun nom distant</translation>
    </message>
    <message>
        <source>%1: the server did not move %2 to %3: %4</source>
        <translation>%1&#xa0;: le serveur n’a pas déplacé %2 vers %3&#xa0;: %4</translation>
    </message>
</context>
<context>
    <name>DesktopProgram</name>
    <message>
        <source>The windows of Wareloom cannot be started: %1: %2</source>
        <translation>Les fenêtres de Wareloom ne peuvent pas être lancées&#xa0;: %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>FtpConnection</name>
    <message>
        <source>&quot;%1&quot; is not an FTP server name (host, host:port, ftpes://host, ftps://host or sftp://host)</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un nom de serveur FTP (hôte, hôte:port, ftpes://hôte, ftps://hôte ou sftp://hôte)</translation>
    </message>
    <message>
        <source>the FTP user name or password holds a line break</source>
        <translation>le nom d’utilisateur ou le mot de passe FTP contient un saut de ligne</translation>
    </message>
    <message>
        <source>the network library cannot make a connection</source>
        <translation>la bibliothèque réseau ne peut pas établir de connexion</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>impossible de lire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>the server did not rename %1 to %2: %3</source>
        <translation>le serveur n’a pas renommé %1 en %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>the server did not rename %1 to %2</source>
        <translation>le serveur n’a pas renommé %1 en %2</translation>
    </message>
    <message>
        <source>the listing is longer than %1 MB</source>
        <translation>le listage dépasse %1 Mo</translation>
    </message>
    <message>
        <source>cannot read the file again</source>
        <translation>impossible de relire le fichier</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>mémoire insuffisante</translation>
    </message>
    <message>
        <source>the server answered %1</source>
        <translation>le serveur a répondu %1</translation>
    </message>
    <message>
        <source>no connection is open</source>
        <translation>aucune connexion n’est ouverte</translation>
    </message>
    <message>
        <source>no remote name</source>
        <translation>aucun nom distant</translation>
    </message>
    <message>
        <source>the remote name holds a line break</source>
        <translation>le nom distant contient un saut de ligne</translation>
    </message>
    <message>
        <source>SSH authentication failed: the server did not accept the user name and password</source>
        <translation>Échec de l’authentification SSH&#xa0;: le serveur n’a pas accepté le nom d’utilisateur et le mot de passe</translation>
    </message>
    <message>
        <source>Login refused by the server: %1</source>
        <translation>Connexion refusée par le serveur&#xa0;: %1</translation>
    </message>
    <message>
        <source>The server refused to encrypt the connection (AUTH TLS: %1); nothing was sent in clear text</source>
        <translation>Le serveur a refusé de chiffrer la connexion (AUTH TLS&#xa0;: %1)&#xa0;; rien n’a été envoyé en clair</translation>
    </message>
    <message>
        <source>the file is longer than %1 MB</source>
        <translation>le fichier dépasse %1 Mo</translation>
    </message>
</context>
<context>
    <name>FtpSettings</name>
    <message>
        <source>The FTP settings file %1 cannot be read: %2</source>
        <translation>Impossible de lire le fichier de paramètres FTP %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>No FTP/HTTP settings!</source>
        <translation>Aucun paramètre FTP/HTTP&#xa0;!</translation>
    </message>
</context>
<context>
    <name>FtpSettingsDialog</name>
    <message>
        <source>Wareloom - FTP Settings</source>
        <translation>Wareloom - Paramètres FTP</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Nom d’utilisateur&#xa0;:</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Nom d’utilisateur</translation>
    </message>
    <message>
        <source>Your FTP login name</source>
        <translation>Votre identifiant FTP</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Your FTP password; it is stored in clear</source>
        <translation>Votre mot de passe FTP&#xa0;; il est enregistré en clair</translation>
    </message>
    <message>
        <source>FTP Server:</source>
        <translation>Serveur FTP&#xa0;:</translation>
    </message>
    <message>
        <source>FTP Server</source>
        <translation>Serveur FTP</translation>
    </message>
    <message>
        <source>The host: ftp.example.com for FTP, ftpes://, ftps:// or sftp:// before it for an encrypted connection, a port after a colon</source>
        <translation>L’hôte&#xa0;: ftp.example.com pour le FTP, précédé de ftpes://, ftps:// ou sftp:// pour une connexion chiffrée, un port après deux-points</translation>
    </message>
    <message>
        <source>eg: ftp.example.com</source>
        <translation>ex.&#xa0;: ftp.example.com</translation>
    </message>
    <message>
        <source>Upload Path:</source>
        <translation>Chemin d’envoi&#xa0;:</translation>
    </message>
    <message>
        <source>Upload Path</source>
        <translation>Chemin d’envoi</translation>
    </message>
    <message>
        <source>The folder on the host the files go into, ending in a slash</source>
        <translation>Le dossier de l’hôte où vont les fichiers, terminé par une barre oblique</translation>
    </message>
    <message>
        <source>eg:  /htdocs/</source>
        <translation>ex.&#xa0;:  /htdocs/</translation>
    </message>
    <message>
        <source>HTTP Server:</source>
        <translation>Serveur HTTP&#xa0;:</translation>
    </message>
    <message>
        <source>HTTP Server</source>
        <translation>Serveur HTTP</translation>
    </message>
    <message>
        <source>The web address of the published inventory.htm</source>
        <translation>L’adresse web de la page inventory.htm publiée</translation>
    </message>
    <message>
        <source>eg. http://www.example.com/inventory.htm</source>
        <translation>ex.&#xa0;: http://www.example.com/inventory.htm</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close without keeping the changes</source>
        <translation>Fermer sans garder les modifications</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Keep the settings and close</source>
        <translation>Garder les paramètres et fermer</translation>
    </message>
    <message>
        <source>host or host:port: FTP (in clear)
ftpes://host[:port]: FTP over TLS (port 21)
ftps://host[:port]: FTP over implicit TLS (port 990)
sftp://host[:port]: SFTP over SSH (port 22)
s3://host[:port]/bucket: S3 object storage over HTTPS (s3+http:// in clear; ?region=name after the bucket)
davs://host[:port]/folder/: WebDAV over HTTPS (dav:// in clear)</source>
        <translation>hôte ou hôte:port&#xa0;: FTP (en clair)
ftpes://hôte[:port]&#xa0;: FTP sur TLS (port 21)
ftps://hôte[:port]&#xa0;: FTP sur TLS implicite (port 990)
sftp://hôte[:port]&#xa0;: SFTP sur SSH (port 22)
s3://hôte[:port]/compartiment&#xa0;: stockage objet S3 sur HTTPS (s3+http:// en clair&#xa0;;&#xa0;?region=nom après le compartiment)
davs://hôte[:port]/dossier/&#xa0;: WebDAV sur HTTPS (dav:// en clair)</translation>
    </message>
</context>
<context>
    <name>HeadlessPublish</name>
    <message>
        <source>Error: No FTP settings: %1 cannot be read. Enter them in FTP Settings first.</source>
        <translation>Erreur&#xa0;: aucun paramètre FTP&#xa0;: impossible de lire %1. Saisissez-les d’abord dans Paramètres FTP.</translation>
    </message>
    <message>
        <source>Error: these pages could not be written:</source>
        <translation>Erreur&#xa0;: ces pages n’ont pas pu être écrites&#xa0;:</translation>
    </message>
    <message>
        <source>FTP Error: these pages were not uploaded:</source>
        <translation>Erreur FTP&#xa0;: ces pages n’ont pas été envoyées&#xa0;:</translation>
    </message>
    <message>
        <source>  %1: %2</source>
        <translation>  %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Check your FTP settings and internet connection.</source>
        <translation>Vérifiez vos paramètres FTP et votre connexion Internet.</translation>
    </message>
    <message>
        <source>Error: the key of %1 has changed: it was %2 and is now %3.</source>
        <translation>Erreur&#xa0;: la clé de %1 a changé&#xa0;: c’était %2, c’est maintenant %3.</translation>
    </message>
    <message>
        <source>Error: the key of %1 is not trusted: its SHA-256 fingerprint is %2.</source>
        <translation>Erreur&#xa0;: la clé de %1 n’est pas approuvée&#xa0;: son empreinte SHA-256 est %2.</translation>
    </message>
    <message>
        <source>To trust it, put this line in %1:</source>
        <translation>Pour l’approuver, ajoutez cette ligne à %1&#xa0;:</translation>
    </message>
    <message>
        <source>These pages on the web host belong to categories that are gone (-Prune deletes them):</source>
        <translation>Ces pages de l’hébergeur appartiennent à des catégories disparues (-Prune les supprime)&#xa0;:</translation>
    </message>
    <message>
        <source>Summary: %1 sent, %2 unchanged, %3 failed</source>
        <translation>Bilan&#xa0;: %1 envoyé(s), %2 inchangé(s), %3 en échec</translation>
    </message>
    <message>
        <source>Error: the network library cannot be started.</source>
        <translation>Erreur&#xa0;: impossible de démarrer la bibliothèque réseau.</translation>
    </message>
    <message>
        <source>Error: the data directory %1 does not exist.</source>
        <translation>Erreur&#xa0;: le dossier de données %1 n’existe pas.</translation>
    </message>
    <message>
        <source>Error: %1</source>
        <translation>Erreur&#xa0;: %1</translation>
    </message>
    <message>
        <source>  %1 of %2</source>
        <translation>  %1 sur %2</translation>
    </message>
    <message>
        <source>  Not accepted because %1.</source>
        <translation>  Refusé, car %1.</translation>
    </message>
    <message>
        <source>  Certificate SHA-256 fingerprint: %1</source>
        <translation>  Empreinte SHA-256 du certificat&#xa0;: %1</translation>
    </message>
    <message>
        <source>Error: the website was not checked: %1</source>
        <translation>Erreur&#xa0;: le site n’a pas été vérifié&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message>
        <source>No versions of &quot;%1&quot; are kept.</source>
        <translation>Aucune version de «&#xa0;%1&#xa0;» n’est conservée.</translation>
    </message>
    <message>
        <source>Version  Time                 Items  Action</source>
        <translation>Version  Date et heure        Art.   Action</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a version number.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un numéro de version.</translation>
    </message>
    <message>
        <source>%1 is version %2 again.</source>
        <translation>%1 est de nouveau la version %2.</translation>
    </message>
    <message>
        <source>-History takes a category, -Restore a category and a version: wareloom -Restore &quot;&lt;category&gt;&quot; 3</source>
        <translation>-History attend une catégorie, -Restore une catégorie et une version&#xa0;: wareloom -Restore &quot;&lt;catégorie&gt;&quot; 3</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>Wareloom - History</source>
        <translation>Wareloom - Historique</translation>
    </message>
    <message>
        <source>&amp;Category:</source>
        <translation>&amp;Catégorie&#xa0;:</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Date et heure</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Articles</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Restoring the selected version:</source>
        <translation>Restaurer la version choisie&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>HostConnection</name>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>The host&apos;s key cannot be checked: %1</source>
        <translation>Impossible de vérifier la clé de l’hôte&#xa0;: %1</translation>
    </message>
    <message>
        <source>The key of %1 has changed: it was %2 and is now %3. Nothing was sent.</source>
        <translation>La clé de %1 a changé&#xa0;: c’était %2, c’est maintenant %3. Rien n’a été envoyé.</translation>
    </message>
    <message>
        <source>The key of %1 is not trusted yet: its SHA-256 fingerprint is %2</source>
        <translation>La clé de %1 n’est pas encore approuvée&#xa0;: son empreinte SHA-256 est %2</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>annulé</translation>
    </message>
    <message>
        <source>The key of %1 is not trusted yet (%2): its SHA-256 fingerprint is %3</source>
        <translation>La clé de %1 n’est pas encore approuvée (%2)&#xa0;: son empreinte SHA-256 est %3</translation>
    </message>
    <message>
        <source>, its certificate&apos;s %1</source>
        <translation>, celle de son certificat %1</translation>
    </message>
</context>
<context>
    <name>HostKeyQuestion</name>
    <message>
        <source>The key of %1 has changed!

Trusted key: %2
Key shown now: %3

Nothing was sent. Someone may be posing as your web host. If the host really changed its key, remove its line from %4.</source>
        <translation>La clé de %1 a changé&#xa0;!

Clé approuvée&#xa0;: %2
Clé présentée maintenant&#xa0;: %3

Rien n’a été envoyé. Quelqu’un se fait peut-être passer pour votre hébergeur. Si l’hôte a vraiment changé de clé, retirez sa ligne de %4.</translation>
    </message>
    <message>
        <source>The identity of %1 cannot be checked.</source>
        <translation>L’identité de %1 ne peut pas être vérifiée.</translation>
    </message>
    <message>
        <source>The identity of %1 cannot be checked: %2.</source>
        <translation>L’identité de %1 ne peut pas être vérifiée&#xa0;: %2.</translation>
    </message>
    <message>
        <source>

Its certificate&apos;s SHA-256 fingerprint is:
%1</source>
        <translation>

L’empreinte SHA-256 de son certificat est&#xa0;:
%1</translation>
    </message>
    <message>
        <source>

Its SHA-256 key fingerprint is:
%1

Trust this key from now on?</source>
        <translation>

L’empreinte SHA-256 de sa clé est&#xa0;:
%1

Faire confiance à cette clé désormais&#xa0;?</translation>
    </message>
</context>
<context>
    <name>HostTransfer</name>
    <message>
        <source>the upload path and %1 are longer than %2 characters together</source>
        <translation>le chemin d’envoi et %1 dépassent ensemble %2 caractères</translation>
    </message>
</context>
<context>
    <name>HttpConnection</name>
    <message>
        <source>&quot;%1&quot; is not a server address (s3://host/bucket, s3+http://host:port/bucket, davs://host/folder/ or dav://host:port/folder/)</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une adresse de serveur (s3://hôte/compartiment, s3+http://hôte:port/compartiment, davs://hôte/dossier/ ou dav://hôte:port/dossier/)</translation>
    </message>
    <message>
        <source>the user name or password holds a line break</source>
        <translation>le nom d’utilisateur ou le mot de passe contient un saut de ligne</translation>
    </message>
    <message>
        <source>the network library cannot make a connection</source>
        <translation>la bibliothèque réseau ne peut pas établir de connexion</translation>
    </message>
    <message>
        <source>no connection is open</source>
        <translation>aucune connexion n’est ouverte</translation>
    </message>
    <message>
        <source>the remote name holds a line break</source>
        <translation>le nom distant contient un saut de ligne</translation>
    </message>
    <message>
        <source>Login refused by the server: %1</source>
        <translation>Connexion refusée par le serveur&#xa0;: %1</translation>
    </message>
    <message>
        <source>the server answered %1</source>
        <translation>le serveur a répondu %1</translation>
    </message>
    <message>
        <source>no remote name</source>
        <translation>aucun nom distant</translation>
    </message>
    <message>
        <source>the file is longer than %1 MB</source>
        <translation>le fichier dépasse %1 Mo</translation>
    </message>
</context>
<context>
    <name>ItemDialog</name>
    <message>
        <source>Wareloom - Add New Item</source>
        <translation>Wareloom - Ajouter un article</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>Catégorie&#xa0;:</translation>
    </message>
    <message>
        <source>The category the item belongs to</source>
        <translation>La catégorie de l’article</translation>
    </message>
    <message>
        <source>Item:</source>
        <translation>Article&#xa0;:</translation>
    </message>
    <message>
        <source>Item name</source>
        <translation>Nom de l’article</translation>
    </message>
    <message>
        <source>The name of the item, up to 60 characters; it must be given</source>
        <translation>Le nom de l’article, 60 caractères au plus&#xa0;; il est obligatoire</translation>
    </message>
    <message>
        <source>Price:</source>
        <translation>Prix&#xa0;:</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>The price as it is to be shown, up to 10 characters</source>
        <translation>Le prix tel qu’il doit s’afficher, 10 caractères au plus</translation>
    </message>
    <message>
        <source>Qty:</source>
        <translation>Qté&#xa0;:</translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation>Quantité</translation>
    </message>
    <message>
        <source>The quantity in stock, up to 10 characters</source>
        <translation>La quantité en stock, 10 caractères au plus</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>Code&#xa0;:</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>The item code, up to 10 characters; its picture is named after it</source>
        <translation>Le code de l’article, 10 caractères au plus&#xa0;; son image porte ce nom</translation>
    </message>
    <message>
        <source>Picture Upload</source>
        <translation>Envoyer l’image</translation>
    </message>
    <message>
        <source>Choose a picture for the item code and send it to your web host at once</source>
        <translation>Choisir une image pour le code de l’article et l’envoyer aussitôt à votre hébergeur</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>The picture of the item; a picture file dropped here is uploaded as Picture Upload does</source>
        <translation>L’image de l’article&#xa0;; un fichier image déposé ici est envoyé comme avec «&#xa0;Envoyer l’image&#xa0;»</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close without saving; Enter in a box does the same</source>
        <translation>Fermer sans enregistrer&#xa0;; la touche Entrée dans un champ fait de même</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Store the item in the category and close</source>
        <translation>Enregistrer l’article dans la catégorie et fermer</translation>
    </message>
</context>
<context>
    <name>ItemTexts</name>
    <message>
        <source>Maximum 60 characters for item name!</source>
        <translation>60 caractères au plus pour le nom de l’article&#xa0;!</translation>
    </message>
    <message>
        <source>Maximum 10 characters for item price!</source>
        <translation>10 caractères au plus pour le prix de l’article&#xa0;!</translation>
    </message>
    <message>
        <source>Maximum 10 characters for item qty!</source>
        <translation>10 caractères au plus pour la quantité de l’article&#xa0;!</translation>
    </message>
    <message>
        <source>Maximum 10 characters for item code!</source>
        <translation>10 caractères au plus pour le code de l’article&#xa0;!</translation>
    </message>
    <message>
        <source>These characters cannot be stored: </source>
        <translation>Ces caractères ne peuvent pas être enregistrés&#xa0;: </translation>
    </message>
    <message>
        <source>ERROR:</source>
        <translation>ERREUR&#xa0;:</translation>
    </message>
</context>
<context>
    <name>KnownHosts</name>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>Impossible d’écrire %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>ListLines</name>
    <message>
        <source>CATEGORY - </source>
        <translation>CATÉGORIE - </translation>
    </message>
    <message>
        <source>&lt;-Back</source>
        <translation>&lt;-Retour</translation>
    </message>
</context>
<context>
    <name>ModernPages</name>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
</context>
<context>
    <name>PageFiles</name>
    <message>
        <source>The page %1 cannot be written: %2</source>
        <translation>Impossible d’écrire la page %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>PublishDialog</name>
    <message>
        <source>Wareloom - FTP Upload</source>
        <translation>Wareloom - Envoi FTP</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>État&#xa0;:</translation>
    </message>
    <message>
        <source>Creating HTML</source>
        <translation>Création du HTML</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>How far the upload has come</source>
        <translation>L’avancement de l’envoi</translation>
    </message>
    <message>
        <source>Pages not sent</source>
        <translation>Pages non envoyées</translation>
    </message>
    <message>
        <source>The pages that could not be sent, with the reasons</source>
        <translation>Les pages qui n’ont pas pu être envoyées, avec les raisons</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Stop publishing</source>
        <translation>Arrêter la publication</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>Fermer cette fenêtre</translation>
    </message>
</context>
<context>
    <name>PublishRecord</name>
    <message>
        <source>%1 cannot be read.</source>
        <translation>Impossible de lire %1.</translation>
    </message>
</context>
<context>
    <name>PublishRun</name>
    <message>
        <source>its %1 is longer than %2 characters</source>
        <translation>son champ «&#xa0;%1&#xa0;» dépasse %2 caractères</translation>
    </message>
    <message>
        <source>Upload -&gt; %1</source>
        <translation>Envoi -&gt; %1</translation>
    </message>
    <message>
        <source>Upload -&gt; %1 (main page)</source>
        <translation>Envoi -&gt; %1 (page principale)</translation>
    </message>
    <message>
        <source>status text</source>
        <translation>texte d’état</translation>
    </message>
    <message>
        <source>local path</source>
        <translation>chemin local</translation>
    </message>
    <message>
        <source>remote name</source>
        <translation>nom distant</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
</context>
<context>
    <name>RunLock</name>
    <message>
        <source>The run lock %1 cannot be made: %2</source>
        <translation>Impossible de créer le verrou de publication %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>The run lock %1 cannot be taken: %2</source>
        <translation>Impossible de prendre le verrou de publication %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Another run is using this folder (%1); try again when it has ended.</source>
        <translation>Une autre exécution utilise ce dossier (%1)&#xa0;; réessayez quand elle sera terminée.</translation>
    </message>
</context>
<context>
    <name>S3Connection</name>
    <message>
        <source>not an S3 address</source>
        <translation>ce n’est pas une adresse S3</translation>
    </message>
    <message>
        <source>the S3 address names no bucket: s3://host/bucket (the key prefix goes in the upload path)</source>
        <translation>l’adresse S3 ne nomme aucun compartiment&#xa0;: s3://hôte/compartiment (le préfixe des clés va dans le chemin d’envoi)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a region</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas une région</translation>
    </message>
    <message>
        <source>no remote name</source>
        <translation>aucun nom distant</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>impossible de lire %1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>SearchIndex</name>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>Impossible de lire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 changed while this run read it.</source>
        <translation>%1 a changé pendant que cette exécution le lisait.</translation>
    </message>
</context>
<context>
    <name>SiteCheck</name>
    <message>
        <source>The website is whole: %1 pages read, %2 files checked.</source>
        <translation>Le site est complet&#xa0;: %1 pages lues, %2 fichiers vérifiés.</translation>
    </message>
    <message>
        <source>%1 problems: %2 pages read, %3 files checked.</source>
        <translation>Problèmes&#xa0;: %1&#xa0;; %2 pages lues, %3 fichiers vérifiés.</translation>
    </message>
    <message>
        <source>The website was not checked: %1</source>
        <translation>Le site n’a pas été vérifié&#xa0;: %1</translation>
    </message>
    <message>
        <source>the listing of the upload folder was not understood</source>
        <translation>la liste du dossier d’envoi n’a pas été comprise</translation>
    </message>
    <message>
        <source>%1 cannot be read from the host (%2), so its links were not checked.</source>
        <translation>%1 ne peut pas être lu sur l’hébergeur (%2)&#xa0;; ses liens n’ont donc pas été vérifiés.</translation>
    </message>
    <message>
        <source>%1 is not linked from the main page on the host (the next publish sends a main page that links it).</source>
        <translation>%1 n’est pas lié depuis la page principale sur l’hébergeur (la prochaine publication envoie une page principale qui le lie).</translation>
    </message>
    <message>
        <source>%1 is a temporary file left on the host by a publish that did not end (the next publish removes it).</source>
        <translation>%1 est un fichier temporaire laissé sur l’hébergeur par une publication interrompue (la prochaine publication le supprime).</translation>
    </message>
    <message>
        <source> (linked from %1)</source>
        <translation> (lié depuis %1)</translation>
    </message>
    <message>
        <source>%1%2 is missing on the host; the next publish sends it.</source>
        <translation>%1%2 manque sur l’hébergeur&#xa0;; la prochaine publication l’envoie.</translation>
    </message>
    <message>
        <source>%1%2 is missing on the host, and the data directory has no such file either.</source>
        <translation>%1%2 manque sur l’hébergeur, et le dossier de données ne contient pas non plus ce fichier.</translation>
    </message>
    <message>
        <source>%1%2 is %3 bytes on the host, but %4 bytes were sent.</source>
        <translation>%1%2 fait %3 octets sur l’hébergeur, mais %4 octets ont été envoyés.</translation>
    </message>
</context>
<context>
    <name>SiteCheckDialog</name>
    <message>
        <source>Wareloom - Check Website</source>
        <translation>Wareloom - Vérifier le site</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Checking the website on the web host...</source>
        <translation>Vérification du site sur l’hébergeur...</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Constats</translation>
    </message>
    <message>
        <source>What is missing on the web host or differs from what was sent</source>
        <translation>Ce qui manque sur l’hébergeur ou diffère de ce qui a été envoyé</translation>
    </message>
</context>
<context>
    <name>SitePlan</name>
    <message>
        <source>The category %1 cannot have a page: %2 is the main page. Rename the file.</source>
        <translation>La catégorie %1 ne peut pas avoir de page&#xa0;: %2 est la page principale. Renommez le fichier.</translation>
    </message>
    <message>
        <source>%1 and %2 would both have the page %3. Rename one of them.</source>
        <translation>%1 et %2 auraient tous deux la page %3. Renommez l’un d’eux.</translation>
    </message>
    <message>
        <source>The file name %1 is not valid UTF-8, so its category cannot be published. Rename the file.</source>
        <translation>Le nom de fichier %1 n’est pas de l’UTF-8 valide&#xa0;; sa catégorie ne peut donc pas être publiée. Renommez le fichier.</translation>
    </message>
</context>
<context>
    <name>TextConversion</name>
    <message>
        <source>The code page &quot;%1&quot; cannot be used: Wareloom needs an 8-bit code page that keeps ASCII as it is, such as windows-1252, or one of CP932, CP936, CP949 and CP950.</source>
        <translation>La page de code «&#xa0;%1&#xa0;» est inutilisable&#xa0;: Wareloom a besoin d’une page de code 8 bits qui garde l’ASCII tel quel, comme windows-1252, ou de l’une des pages CP932, CP936, CP949 et CP950.</translation>
    </message>
</context>
<context>
    <name>Thumbnail</name>
    <message>
        <source>No thumbnail of %1 was made: %2</source>
        <translation>Aucune vignette de %1 n’a été créée&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>UploadPool</name>
    <message>
        <source>The server does not rename files: each file is sent under its own name, so a visitor may see a page half written while it arrives.</source>
        <translation>Le serveur ne renomme pas les fichiers&#xa0;: chaque fichier est envoyé sous son propre nom, si bien qu’un visiteur peut voir une page à moitié écrite pendant son arrivée.</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>non envoyé</translation>
    </message>
    <message>
        <source>not sent: the run was cancelled</source>
        <translation>non envoyé&#xa0;: la publication a été annulée</translation>
    </message>
</context>
<context>
    <name>WebHost</name>
    <message>
        <source>Banner Uploaded!</source>
        <translation>Bannière envoyée&#xa0;!</translation>
    </message>
    <message>
        <source>No web browser could be started for &quot;%1&quot;.</source>
        <translation>Aucun navigateur web n’a pu être lancé pour «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Image Uploaded!</source>
        <translation>Image envoyée&#xa0;!</translation>
    </message>
    <message>
        <source>the path of the chosen file is longer than %1 characters</source>
        <translation>le chemin du fichier choisi dépasse %1 caractères</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 n’est pas un fichier</translation>
    </message>
    <message>
        <source>FTP Error!

</source>
        <translation>Erreur FTP&#xa0;!

</translation>
    </message>
</context>
<context>
    <name>WebsiteSettings</name>
    <message>
        <source>&quot;%1&quot; cannot be the contact address: %2.</source>
        <translation>«&#xa0;%1&#xa0;» ne peut pas être l’adresse de contact&#xa0;: %2.</translation>
    </message>
    <message>
        <source>it holds a line break; give one address on one line</source>
        <translation>elle contient un saut de ligne&#xa0;; indiquez une seule adresse sur une ligne</translation>
    </message>
    <message>
        <source>it holds a space; give one address without spaces</source>
        <translation>elle contient une espace&#xa0;; indiquez une seule adresse sans espace</translation>
    </message>
    <message>
        <source>give only one address</source>
        <translation>indiquez une seule adresse</translation>
    </message>
    <message>
        <source>it needs one @ with text before and after it</source>
        <translation>il faut un @ précédé et suivi de texte</translation>
    </message>
    <message>
        <source>a mail address cannot hold the character %1</source>
        <translation>une adresse électronique ne peut pas contenir le caractère %1</translation>
    </message>
    <message>
        <source>The website settings could not be written to %1.</source>
        <translation>Impossible d’écrire les paramètres du site dans %1.</translation>
    </message>
</context>
<context>
    <name>WebsiteSettingsDialog</name>
    <message>
        <source>Wareloom - Website Settings</source>
        <translation>Wareloom - Paramètres du site</translation>
    </message>
    <message>
        <source>Shop name:</source>
        <translation>Nom de la boutique&#xa0;:</translation>
    </message>
    <message>
        <source>Shop name</source>
        <translation>Nom de la boutique</translation>
    </message>
    <message>
        <source>The title of the main page; empty keeps the pages as they were</source>
        <translation>Le titre de la page principale&#xa0;; vide, les pages restent comme avant</translation>
    </message>
    <message>
        <source>Contact e-mail:</source>
        <translation>Courriel de contact&#xa0;:</translation>
    </message>
    <message>
        <source>Contact e-mail</source>
        <translation>Courriel de contact</translation>
    </message>
    <message>
        <source>The address the main page shows; empty shows sales@example.com</source>
        <translation>L’adresse affichée sur la page principale&#xa0;; vide, sales@example.com s’affiche</translation>
    </message>
    <message>
        <source>Page style:</source>
        <translation>Style des pages&#xa0;:</translation>
    </message>
    <message>
        <source>Page style</source>
        <translation>Style des pages</translation>
    </message>
    <message>
        <source>Classic pages, or modern pages for phones and desktops</source>
        <translation>Pages classiques, ou pages modernes pour téléphones et ordinateurs</translation>
    </message>
    <message>
        <source>Classic</source>
        <translation>Classique</translation>
    </message>
    <message>
        <source>Modern (for phones and desktops)</source>
        <translation>Moderne (pour téléphones et ordinateurs)</translation>
    </message>
    <message>
        <source>Currency (modern):</source>
        <translation>Devise (moderne)&#xa0;:</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Devise</translation>
    </message>
    <message>
        <source>The currency the modern pages show with each price; empty shows prices as typed</source>
        <translation>La devise affichée avec chaque prix sur les pages modernes&#xa0;; vide, les prix s’affichent tels que saisis</translation>
    </message>
    <message>
        <source>€ or EUR; empty: prices as typed</source>
        <translation>€ ou EUR&#xa0;; vide&#xa0;: prix tels que saisis</translation>
    </message>
    <message>
        <source>Price notation:</source>
        <translation>Format des prix&#xa0;:</translation>
    </message>
    <message>
        <source>Price notation</source>
        <translation>Format des prix</translation>
    </message>
    <message>
        <source>How the modern pages write a price, as a locale name such as de_DE</source>
        <translation>Comment les pages modernes écrivent un prix, sous forme de nom de paramètres régionaux comme fr_FR</translation>
    </message>
    <message>
        <source>en_US, de_DE, fr_FR...</source>
        <translation>fr_FR, en_US, de_DE...</translation>
    </message>
    <message>
        <source>Quantity 0:</source>
        <translation>Quantité 0&#xa0;:</translation>
    </message>
    <message>
        <source>Items with quantity 0</source>
        <translation>Articles de quantité 0</translation>
    </message>
    <message>
        <source>Whether the modern pages mark items with quantity 0 as sold out or leave them out</source>
        <translation>Si les pages modernes marquent les articles de quantité 0 comme épuisés ou les omettent</translation>
    </message>
    <message>
        <source>Marked &quot;Sold out&quot;</source>
        <translation>Marqués «&#xa0;Épuisé&#xa0;»</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Masqués</translation>
    </message>
    <message>
        <source>Empty boxes keep the pages as they have always been. The pages change at the next FTP Upload.</source>
        <translation>Les champs vides laissent les pages comme elles ont toujours été. Les pages changent au prochain envoi FTP.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Unknown switch %1</source>
        <translation>Option inconnue %1</translation>
    </message>
    <message>
        <source>wareloom --help lists every switch.</source>
        <translation>wareloom --help liste toutes les options.</translation>
    </message>
</context>
<context>
    <name>wareloom::AboutDialog</name>
    <message>
        <source>Wareloom Version %1</source>
        <translation>Wareloom version %1</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>Fermer cette fenêtre</translation>
    </message>
</context>
<context>
    <name>wareloom::Application</name>
    <message>
        <source>Windows sockets initialization failed.</source>
        <translation>L’initialisation des sockets Windows a échoué.</translation>
    </message>
    <message>
        <source>OLE initialization failed.  Make sure that the OLE libraries are the correct version.</source>
        <translation>L’initialisation OLE a échoué. Vérifiez que les bibliothèques OLE sont dans la bonne version.</translation>
    </message>
    <message>
        <source>Another Wareloom is using the folder %1. Close it first, or use its window.</source>
        <translation>Un autre Wareloom utilise le dossier %1. Fermez-le d’abord, ou utilisez sa fenêtre.</translation>
    </message>
</context>
<context>
    <name>wareloom::CategoryDialog</name>
    <message>
        <source>Maximum 80 Characters for category name!</source>
        <translation>80 caractères au plus pour le nom de la catégorie&#xa0;!</translation>
    </message>
    <message>
        <source>ERROR:</source>
        <translation>ERREUR&#xa0;:</translation>
    </message>
</context>
<context>
    <name>wareloom::FtpSettingsDialog</name>
    <message>
        <source>These characters cannot be stored: </source>
        <translation>Ces caractères ne peuvent pas être enregistrés&#xa0;: </translation>
    </message>
    <message>
        <source>ERROR:</source>
        <translation>ERREUR&#xa0;:</translation>
    </message>
    <message>
        <source>Files will go to %1inventory.htm. Save anyway?</source>
        <translation>Les fichiers iront dans %1inventory.htm. Enregistrer quand même&#xa0;?</translation>
    </message>
</context>
<context>
    <name>wareloom::HistoryDialog</name>
    <message>
        <source>&amp;Deleted category:</source>
        <translation>Catégorie &amp;supprimée&#xa0;:</translation>
    </message>
    <message>
        <source>No versions are kept.</source>
        <translation>Aucune version n’est conservée.</translation>
    </message>
    <message>
        <source>brings back  %1</source>
        <translation>rétablit     %1</translation>
    </message>
    <message>
        <source>takes away   %1</source>
        <translation>retire       %1</translation>
    </message>
    <message>
        <source>changes      %1</source>
        <translation>modifie      %1</translation>
    </message>
    <message>
        <source>changes no item</source>
        <translation>ne modifie aucun article</translation>
    </message>
</context>
<context>
    <name>wareloom::Inventory</name>
    <message>
        <source>%1 was changed by another program; it has been reloaded. Please make your change again.</source>
        <translation>%1 a été modifié par un autre programme&#xa0;; il a été rechargé. Veuillez refaire votre modification.</translation>
    </message>
    <message>
        <source>No category is open.</source>
        <translation>Aucune catégorie n’est ouverte.</translation>
    </message>
    <message>
        <source>This category already holds %1 items, the most one category can hold.</source>
        <translation>Cette catégorie contient déjà %1 articles, le maximum pour une catégorie.</translation>
    </message>
    <message>
        <source>Add Item &apos;%1&apos;</source>
        <translation>Ajouter l’article «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Edit Item &apos;%1&apos;</source>
        <translation>Modifier l’article «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Delete Item &apos;%1&apos;</source>
        <translation>Supprimer l’article «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>New Category &apos;%1&apos;</source>
        <translation>Nouvelle catégorie «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Import into &apos;%1&apos;</source>
        <translation>Importation dans «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Delete Category &apos;%1&apos;</source>
        <translation>Supprimer la catégorie «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Restore &apos;%1&apos; version %2</source>
        <translation>Restaurer la version %2 de «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Annulation&#xa0;: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Rétablissement&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>wareloom::ItemDialog</name>
    <message>
        <source>Wareloom - Edit</source>
        <translation>Wareloom - Modifier</translation>
    </message>
    <message>
        <source>&amp;Item</source>
        <translation>&amp;Article</translation>
    </message>
    <message>
        <source>&amp;Delete Item</source>
        <translation>&amp;Supprimer l’article</translation>
    </message>
    <message>
        <source>Delete this item from the category</source>
        <translation>Supprimer cet article de la catégorie</translation>
    </message>
    <message>
        <source>Error: You must enter an item name!</source>
        <translation>Erreur&#xa0;: vous devez saisir un nom d’article&#xa0;!</translation>
    </message>
    <message>
        <source>You have to enter an item name!</source>
        <translation>Veuillez saisir un nom d’article&#xa0;!</translation>
    </message>
    <message>
        <source>The item was not saved. %1</source>
        <translation>L’article n’a pas été enregistré. %1</translation>
    </message>
    <message>
        <source>Delete this inventory item.  Are you sure?</source>
        <translation>Supprimer cet article de l’inventaire. Êtes-vous sûr&#xa0;?</translation>
    </message>
    <message>
        <source>The item was not deleted. %1</source>
        <translation>L’article n’a pas été supprimé. %1</translation>
    </message>
    <message>
        <source>This entry has a picture.  Remove the picture from the FTP server?</source>
        <translation>Cet article a une image. Supprimer l’image du serveur FTP&#xa0;?</translation>
    </message>
    <message>
        <source>

%1 is also the picture of: %2</source>
        <translation>

%1 est aussi l’image de&#xa0;: %2</translation>
    </message>
    <message>
        <source>No picture was removed: &quot;%1&quot; cannot be the code of a picture.</source>
        <translation>Aucune image n’a été supprimée&#xa0;: «&#xa0;%1&#xa0;» ne peut pas être le code d’une image.</translation>
    </message>
    <message>
        <source>Enter the item &apos;code&apos; first.  The image is renamed the &apos;Code.jpg&apos;</source>
        <translation>Saisissez d’abord le code de l’article. L’image est renommée «&#xa0;Code.jpg&#xa0;».</translation>
    </message>
    <message>
        <source>The code &quot;%1&quot; cannot name a picture file: it must not hold / or \ and must not be . or ..</source>
        <translation>Le code «&#xa0;%1&#xa0;» ne peut pas nommer un fichier image&#xa0;: il ne doit contenir ni / ni \ et ne doit pas être . ou ..</translation>
    </message>
    <message>
        <source>The picture was not copied into the data directory.
%1</source>
        <translation>L’image n’a pas été copiée dans le dossier de données.
%1</translation>
    </message>
</context>
<context>
    <name>wareloom::MainWindow</name>
    <message>
        <source>Find items by name or code (Ctrl+F)</source>
        <translation>Chercher des articles par nom ou par code (Ctrl+F)</translation>
    </message>
    <message>
        <source>What the list shows: the category list, or the open category</source>
        <translation>Ce que montre la liste&#xa0;: la liste des catégories, ou la catégorie ouverte</translation>
    </message>
    <message>
        <source>The number of items: of every category, or of the open category</source>
        <translation>Le nombre d’articles&#xa0;: de toutes les catégories, ou de la catégorie ouverte</translation>
    </message>
    <message>
        <source>Find items</source>
        <translation>Chercher des articles</translation>
    </message>
    <message>
        <source>Lists only the items whose name or code holds the text</source>
        <translation>N’affiche que les articles dont le nom ou le code contient le texte</translation>
    </message>
    <message>
        <source>&amp;Quit Program</source>
        <translation>&amp;Quitter le programme</translation>
    </message>
    <message>
        <source>&amp;Item Add</source>
        <translation>&amp;Ajouter un article</translation>
    </message>
    <message>
        <source>&amp;New Category</source>
        <translation>&amp;Nouvelle catégorie</translation>
    </message>
    <message>
        <source>&amp;Export to CSV...</source>
        <translation>&amp;Exporter en CSV...</translation>
    </message>
    <message>
        <source>&amp;Import from CSV...</source>
        <translation>&amp;Importer depuis un CSV...</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>&amp;Delete Category</source>
        <translation>&amp;Supprimer la catégorie</translation>
    </message>
    <message>
        <source>&amp;FTP Settings</source>
        <translation>Paramètres &amp;FTP</translation>
    </message>
    <message>
        <source>&amp;FTP Upload</source>
        <translation>&amp;Envoyer par FTP</translation>
    </message>
    <message>
        <source>Upload &amp;All Pages</source>
        <translation>Envoyer &amp;toutes les pages</translation>
    </message>
    <message>
        <source>&amp;WebSite</source>
        <translation>Site &amp;Web</translation>
    </message>
    <message>
        <source>W&amp;ebSite Banner Upload</source>
        <translation>Envoyer la &amp;bannière du site</translation>
    </message>
    <message>
        <source>Website &amp;Settings...</source>
        <translation>&amp;Paramètres du site...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos de Wareloom</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Items</source>
        <translation>A&amp;rticles</translation>
    </message>
    <message>
        <source>&amp;Category</source>
        <translation>&amp;Catégorie</translation>
    </message>
    <message>
        <source>&amp;HTML</source>
        <translation>&amp;HTML</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d’outils</translation>
    </message>
    <message>
        <source>End the program</source>
        <translation>Quitter le programme</translation>
    </message>
    <message>
        <source>Add an item to the open category</source>
        <translation>Ajouter un article à la catégorie ouverte</translation>
    </message>
    <message>
        <source>Make an empty category</source>
        <translation>Créer une catégorie vide</translation>
    </message>
    <message>
        <source>Delete the open category</source>
        <translation>Supprimer la catégorie ouverte</translation>
    </message>
    <message>
        <source>Write the open category as a CSV file</source>
        <translation>Enregistrer la catégorie ouverte dans un fichier CSV</translation>
    </message>
    <message>
        <source>Add the rows of a CSV file to a category</source>
        <translation>Ajouter les lignes d’un fichier CSV à une catégorie</translation>
    </message>
    <message>
        <source>The login and addresses of your web host</source>
        <translation>L’identifiant et les adresses de votre hébergeur</translation>
    </message>
    <message>
        <source>Publish the pages that changed to your web host</source>
        <translation>Publier les pages modifiées chez votre hébergeur</translation>
    </message>
    <message>
        <source>Publish every page to your web host</source>
        <translation>Publier toutes les pages chez votre hébergeur</translation>
    </message>
    <message>
        <source>Open the published website in your browser</source>
        <translation>Ouvrir le site publié dans votre navigateur</translation>
    </message>
    <message>
        <source>Send a picture as the banner of the main page</source>
        <translation>Envoyer une image comme bannière de la page principale</translation>
    </message>
    <message>
        <source>The shop name, contact address and page style</source>
        <translation>Le nom de la boutique, l’adresse de contact et le style des pages</translation>
    </message>
    <message>
        <source>The version of Wareloom and its makers</source>
        <translation>La version de Wareloom et ses auteurs</translation>
    </message>
    <message>
        <source>Found in every category</source>
        <translation>Trouvé dans toutes les catégories</translation>
    </message>
    <message>
        <source>Category List</source>
        <translation>Liste des catégories</translation>
    </message>
    <message>
        <source>Not listed, as their names are not valid UTF-8 (rename them): %1</source>
        <translation>Non listés, car leur nom n’est pas de l’UTF-8 valide (renommez-les)&#xa0;: %1</translation>
    </message>
    <message>
        <source>The first line goes back to the category list; select an item to edit it</source>
        <translation>La première ligne ramène à la liste des catégories&#xa0;; choisissez un article pour le modifier</translation>
    </message>
    <message>
        <source>Each category with its number of items; select one to open it</source>
        <translation>Chaque catégorie avec son nombre d’articles&#xa0;; choisissez-en une pour l’ouvrir</translation>
    </message>
    <message>
        <source>The items found, with their category; select one to edit it</source>
        <translation>Les articles trouvés, avec leur catégorie&#xa0;; choisissez-en un pour le modifier</translation>
    </message>
    <message>
        <source>Error You have to select a category first!</source>
        <translation>Erreur&#xa0;: vous devez d’abord choisir une catégorie&#xa0;!</translation>
    </message>
    <message>
        <source>Delete the category %1 and its %2 item?

It can be restored from Category &gt; History...</source>
        <translation>Supprimer la catégorie %1, qui contient %2 article&#xa0;?

Elle peut être restaurée depuis Catégorie &gt; Historique...</translation>
    </message>
    <message>
        <source>Delete the category %1 and its %2 items?

It can be restored from Category &gt; History...</source>
        <translation>Supprimer la catégorie %1, qui contient %2 articles&#xa0;?

Elle peut être restaurée depuis Catégorie &gt; Historique...</translation>
    </message>
    <message>
        <source>Delete Category?</source>
        <translation>Supprimer la catégorie&#xa0;?</translation>
    </message>
    <message>
        <source>Delete the webpage from the FTP server?</source>
        <translation>Supprimer la page web du serveur FTP&#xa0;?</translation>
    </message>
    <message>
        <source>Quit program.  Are you sure?</source>
        <translation>Quitter le programme. Êtes-vous sûr&#xa0;?</translation>
    </message>
    <message>
        <source>Quit Program</source>
        <translation>Quitter le programme</translation>
    </message>
    <message>
        <source>Open the category to export first.</source>
        <translation>Ouvrez d’abord la catégorie à exporter.</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>Impossible de lire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Nothing was imported:
</source>
        <translation>Rien n’a été importé&#xa0;:
</translation>
    </message>
    <message>
        <source>%1 items imported into %2.</source>
        <translation>%1 article(s) importé(s) dans %2.</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>Ann&amp;uler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>Ann&amp;uler&#xa0;: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Rétablir&#xa0;: %1</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;Historique...</translation>
    </message>
    <message>
        <source>Import the rows of %1 into the category %2?</source>
        <translation>Importer les lignes de %1 dans la catégorie %2&#xa0;?</translation>
    </message>
    <message>
        <source>Import from CSV</source>
        <translation>Importer depuis un CSV</translation>
    </message>
    <message>
        <source>&amp;Check Website</source>
        <translation>&amp;Vérifier le site</translation>
    </message>
</context>
<context>
    <name>wareloom::PublishDialog</name>
    <message>
        <source>Publish</source>
        <translation>Publier</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Error: No FTP setrtings!</source>
        <translation>Erreur&#xa0;: aucun paramètre FTP&#xa0;!</translation>
    </message>
    <message>
        <source>FTP Error: Check your FTP settings and internet connection.</source>
        <translation>Erreur FTP&#xa0;: vérifiez vos paramètres FTP et votre connexion Internet.</translation>
    </message>
    <message>
        <source>FTP Error</source>
        <translation>Erreur FTP</translation>
    </message>
    <message>
        <source>These pages are on the web host, but their categories are gone:

%1

Delete them from the web host?</source>
        <translation>Ces pages sont chez l’hébergeur, mais leurs catégories ont disparu&#xa0;:

%1

Les supprimer de l’hébergeur&#xa0;?</translation>
    </message>
    <message>
        <source>Not sent:</source>
        <translation>Non envoyées&#xa0;:</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>wareloom::PublishRun</name>
    <message>
        <source>Creating HTML</source>
        <translation>Création du HTML</translation>
    </message>
    <message>
        <source>%1 The next run writes again the pages it cannot vouch for.</source>
        <translation>%1 La prochaine publication réécrira les pages dont elle ne peut pas se porter garante.</translation>
    </message>
    <message>
        <source>%1 unchanged</source>
        <translation>%1 inchangé</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>impossible de lire %1</translation>
    </message>
    <message>
        <source>The upload folder could not be listed (%1): every page is sent.</source>
        <translation>Le dossier d’envoi n’a pas pu être listé (%1)&#xa0;: toutes les pages sont envoyées.</translation>
    </message>
    <message>
        <source>the listing was not understood</source>
        <translation>le listage n’a pas été compris</translation>
    </message>
    <message>
        <source>not deleted: the upload folder does not show it as it was sent</source>
        <translation>non supprimée&#xa0;: le dossier d’envoi ne la montre pas telle qu’elle a été envoyée</translation>
    </message>
    <message>
        <source>Delete -&gt; %1</source>
        <translation>Suppression -&gt; %1</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>wareloom::WebsiteSettingsDialog</name>
    <message>
        <source>Keep the settings and close</source>
        <translation>Garder les paramètres et fermer</translation>
    </message>
    <message>
        <source>Close without keeping the changes</source>
        <translation>Fermer sans garder les modifications</translation>
    </message>
</context>
</TS>
