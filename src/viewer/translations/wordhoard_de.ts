<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>wordhoard::EntryLinks</name>
    <message>
        <source>Next &amp;Link</source>
        <translation>Nächster &amp;Verweis</translation>
    </message>
    <message>
        <source>Previous Lin&amp;k</source>
        <translation>Vorige&amp;r Verweis</translation>
    </message>
    <message>
        <source>Follow the Selected Link (in the text)</source>
        <translation>Dem gewählten Verweis folgen (im Text)</translation>
    </message>
    <message>
        <source>Page %1: click to see its scan on the Image tab</source>
        <translation>Seite %1: Klick zeigt ihren Scan im Reiter Bild</translation>
    </message>
    <message>
        <source>Also (in the text&apos;s menu):</source>
        <translation>Auch (im Menü des Textes):</translation>
    </message>
    <message>
        <source>Referred to by</source>
        <translation>Verwiesen von</translation>
    </message>
    <message>
        <source>The entries that refer to the one shown, each a link</source>
        <translation>Die Einträge, die auf den gezeigten verweisen, jeder ein Verweis</translation>
    </message>
    <message>
        <source>&amp;Referred To By</source>
        <translation>&amp;Verwiesen von</translation>
    </message>
    <message>
        <source>Referred to by: (still being found)</source>
        <translation>Verwiesen von: (wird noch gesucht)</translation>
    </message>
    <message>
        <source>Nothing refers to this entry.</source>
        <translation>Nichts verweist auf diesen Eintrag.</translation>
    </message>
    <message>
        <source>Referred to by: %1</source>
        <translation>Verwiesen von: %1</translation>
    </message>
    <message>
        <source>Go to %1</source>
        <translation>Gehe zu %1</translation>
    </message>
    <message>
        <source>Go to %1: %2</source>
        <translation>Gehe zu %1: %2</translation>
    </message>
    <message>
        <source>Referred To By</source>
        <translation>Verwiesen von</translation>
    </message>
    <message>
        <source>(still being found)</source>
        <translation>(wird noch gesucht)</translation>
    </message>
    <message>
        <source>Nothing refers to this entry</source>
        <translation>Nichts verweist auf diesen Eintrag</translation>
    </message>
</context>
<context>
    <name>wordhoard::ErrorBox</name>
    <message>
        <source>Wordhoard</source>
        <translation>Wordhoard</translation>
    </message>
</context>
<context>
    <name>wordhoard::GlossWindow</name>
    <message>
        <source>Gloss Passage</source>
        <translation>Textstelle glossieren</translation>
    </message>
    <message>
        <source>Paste or type Old English here.</source>
        <translation>Altenglischen Text hier einfügen oder tippen.</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the glossed passage, one line a word: word, headword, gloss</source>
        <translation>Die glossierte Textstelle kopieren, eine Zeile je Wort: Wort, Stichwort, Bedeutung</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Indexing the forms of the dictionary…</source>
        <translation>Die Formen des Wörterbuchs werden erfasst…</translation>
    </message>
    <message>
        <source>1 word, %1 with a headword</source>
        <translation>1 Wort, %1 mit Stichwort</translation>
    </message>
    <message>
        <source>%1 words, %2 with a headword</source>
        <translation>%1 Wörter, %2 mit Stichwort</translation>
    </message>
    <message>
        <source>%1: no headword found</source>
        <translation>%1: kein Stichwort gefunden</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: %2 — %3</source>
        <translation>%1: %2 — %3</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source> — %1</source>
        <translation> — %1</translation>
    </message>
</context>
<context>
    <name>wordhoard::HitListModel</name>
    <message>
        <source>%1, page %2: %3</source>
        <translation>%1, Seite %2: %3</translation>
    </message>
</context>
<context>
    <name>wordhoard::ReaderMemory</name>
    <message>
        <source>&amp;Recent Dictionaries</source>
        <translation>&amp;Zuletzt geöffnete Wörterbücher</translation>
    </message>
    <message>
        <source>&amp;Theme</source>
        <translation>&amp;Farbschema</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>&amp;System</translation>
    </message>
    <message>
        <source>&amp;Light</source>
        <translation>&amp;Hell</translation>
    </message>
    <message>
        <source>&amp;Dark</source>
        <translation>&amp;Dunkel</translation>
    </message>
    <message>
        <source>L&amp;anguage</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>&amp;Reset Settings...</source>
        <translation>Einstellungen &amp;zurücksetzen...</translation>
    </message>
    <message>
        <source>No dictionary opened yet</source>
        <translation>Noch kein Wörterbuch geöffnet</translation>
    </message>
    <message>
        <source>No dictionary text in this folder now</source>
        <translation>In diesem Ordner liegt zurzeit kein Wörterbuchtext</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Wordhoard shows in %1 from its next start. Restart it now?</source>
        <translation>Wordhoard erscheint ab dem nächsten Start auf %1. Jetzt neu starten?</translation>
    </message>
    <message>
        <source>Reset Settings</source>
        <translation>Einstellungen zurücksetzen</translation>
    </message>
    <message>
        <source>Return the window to its first start: its size, the design font and colours, no zoom, strict matching, the page as designed and English? The list of recent dictionaries is forgotten; favourites and history stay.</source>
        <translation>Das Fenster wie beim ersten Start zeigen: seine Größe, die vorgesehene Schrift und Farben, keine Vergrößerung, genauer Abgleich, die Seite wie vorgesehen und Englisch? Die Liste der zuletzt geöffneten Wörterbücher wird vergessen; Favoriten und Verlauf bleiben.</translation>
    </message>
    <message>
        <source>&amp;Mark or Unmark Favourite</source>
        <translation>&amp;Favorit setzen oder entfernen</translation>
    </message>
    <message>
        <source>Fav&amp;ourites...</source>
        <translation>Fav&amp;oriten...</translation>
    </message>
    <message>
        <source>“%1” is a favourite now</source>
        <translation>„%1“ ist jetzt ein Favorit</translation>
    </message>
    <message>
        <source>“%1” is no longer a favourite</source>
        <translation>„%1“ ist kein Favorit mehr</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>Each favourite&apos;s headword, page, the date it was marked and its note; a greyed one is no longer in the dictionary text</source>
        <translation>Stichwort, Seite, Datum der Markierung und Notiz jedes Favoriten; ein grau dargestellter steht nicht mehr im Wörterbuchtext</translation>
    </message>
    <message>
        <source>Headword</source>
        <translation>Stichwort</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>Added</source>
        <translation>Hinzugefügt</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>&amp;Show</source>
        <translation>&amp;Zeigen</translation>
    </message>
    <message>
        <source>Edit &amp;Note</source>
        <translation>&amp;Notiz bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xportieren...</translation>
    </message>
    <message>
        <source>No longer in the dictionary text</source>
        <translation>Nicht mehr im Wörterbuchtext</translation>
    </message>
    <message>
        <source>Plain text (*.txt)</source>
        <translation>Reiner Text (*.txt)</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>Export Favourites</source>
        <translation>Favoriten exportieren</translation>
    </message>
    <message>
        <source>Cannot write the favourites to “%1”</source>
        <translation>Die Favoriten lassen sich nicht nach „%1“ schreiben</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>Verl&amp;auf...</translation>
    </message>
    <message>
        <source>&amp;Clear History</source>
        <translation>Verlauf lös&amp;chen</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>The entries shown, the latest first, with their page and the list they were shown from; the one Back and Forward stand on is bold</source>
        <translation>Die gezeigten Einträge, der jüngste zuerst, mit ihrer Seite und der Liste, aus der sie gezeigt wurden; der, bei dem Zurück und Vorwärts stehen, ist fett</translation>
    </message>
    <message>
        <source>Shown from</source>
        <translation>Gezeigt aus</translation>
    </message>
    <message>
        <source>Wordlist</source>
        <translation>Wortliste</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>No scanned page shown</source>
        <translation>Keine gescannte Seite angezeigt</translation>
    </message>
    <message>
        <source>The printed page as scanned; a click switches between its natural size and a view fitted to the tab</source>
        <translation>Die gedruckte Seite, wie sie gescannt wurde; ein Klick wechselt zwischen ihrer natürlichen Größe und einer an den Reiter angepassten Ansicht</translation>
    </message>
    <message>
        <source>Headword or search term</source>
        <translation>Stichwort oder Suchbegriff</translation>
    </message>
    <message>
        <source>Typing looks the headword up in the word list; Enter searches the whole text</source>
        <translation>Beim Tippen wird das Stichwort in der Wortliste gesucht; die Eingabetaste durchsucht den ganzen Text</translation>
    </message>
    <message>
        <source>Searches the whole text for the term in the search field</source>
        <translation>Durchsucht den ganzen Text nach dem Begriff im Suchfeld</translation>
    </message>
    <message>
        <source>Sorting the word list is not available</source>
        <translation>Die Wortliste lässt sich nicht sortieren</translation>
    </message>
    <message>
        <source>Letter thorn</source>
        <translation>Buchstabe Thorn</translation>
    </message>
    <message>
        <source>Letter eth</source>
        <translation>Buchstabe Eth</translation>
    </message>
    <message>
        <source>Letter ash</source>
        <translation>Buchstabe Äsch</translation>
    </message>
    <message>
        <source>Letter oe</source>
        <translation>Buchstabe Œ</translation>
    </message>
    <message>
        <source>Letter yogh</source>
        <translation>Buchstabe Yogh</translation>
    </message>
    <message>
        <source>Adds %1 to the search field</source>
        <translation>Fügt %1 an das Suchfeld an</translation>
    </message>
    <message>
        <source>Letter palette</source>
        <translation>Buchstabenauswahl</translation>
    </message>
    <message>
        <source>Adds the letter chosen to the search field</source>
        <translation>Fügt den gewählten Buchstaben an das Suchfeld an</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listen</translation>
    </message>
    <message>
        <source>The word list and the search hits</source>
        <translation>Die Wortliste und die Suchtreffer</translation>
    </message>
    <message>
        <source>Entry views</source>
        <translation>Ansichten des Eintrags</translation>
    </message>
    <message>
        <source>The entry&apos;s text and its scanned page</source>
        <translation>Der Text des Eintrags und seine gescannte Seite</translation>
    </message>
    <message>
        <source>Word list</source>
        <translation>Wortliste</translation>
    </message>
    <message>
        <source>Every headword of the dictionary, in the order of the text</source>
        <translation>Alle Stichwörter des Wörterbuchs in der Reihenfolge des Textes</translation>
    </message>
    <message>
        <source>Search hits</source>
        <translation>Suchtreffer</translation>
    </message>
    <message>
        <source>The entries the full-text search found, each with its page and the text around the match</source>
        <translation>Die Einträge, die die Volltextsuche gefunden hat, jeder mit seiner Seite und dem Text um den Treffer</translation>
    </message>
    <message>
        <source>Entry text</source>
        <translation>Text des Eintrags</translation>
    </message>
    <message>
        <source>The entry shown, headword first</source>
        <translation>Der gezeigte Eintrag, das Stichwort zuerst</translation>
    </message>
    <message>
        <source>Scanned page</source>
        <translation>Gescannte Seite</translation>
    </message>
    <message>
        <source>Page Down and Page Up turn the pages; W fits the page to the width</source>
        <translation>Bild ab und Bild auf blättern um; W passt die Seite an die Breite an</translation>
    </message>
    <message>
        <source>Letters</source>
        <translation>Buchstaben</translation>
    </message>
</context>
<context>
    <name>wordhoard::ReadingAids</name>
    <message>
        <source>&amp;Go</source>
        <translation>&amp;Gehe zu</translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation>&amp;Tastenkürzel</translation>
    </message>
    <message>
        <source> (%1)</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>Copy Headword (in a list)</source>
        <translation>Stichwort kopieren (in einer Liste)</translation>
    </message>
    <message>
        <source>Back and Forward</source>
        <translation>Zurück und Vorwärts</translation>
    </message>
    <message>
        <source>the mouse&apos;s back and forward buttons</source>
        <translation>Zurück-/Vorwärtstaste der Maus</translation>
    </message>
    <message>
        <source>Zoom the entry text and the lists</source>
        <translation>Eintragstext und Listen zoomen</translation>
    </message>
    <message>
        <source>Ctrl+wheel over the text</source>
        <translation>Strg+Mausrad über dem Text</translation>
    </message>
    <message>
        <source>Zoom the page</source>
        <translation>Seite zoomen</translation>
    </message>
    <message>
        <source>Ctrl+wheel over the page</source>
        <translation>Strg+Mausrad über der Seite</translation>
    </message>
    <message>
        <source>Menu or Shift+F10 in the text</source>
        <translation>Menütaste oder Umschalt+F10 im Text</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>&amp;Open Dictionary Folder...</source>
        <translation>&amp;Wörterbuchordner öffnen...</translation>
    </message>
    <message>
        <source>Open Dictionary Folder</source>
        <translation>Wörterbuchordner öffnen</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vorwärts</translation>
    </message>
    <message>
        <source>Search Fie&amp;ld</source>
        <translation>Suchfe&amp;ld</translation>
    </message>
    <message>
        <source>&amp;Wordlist Tab</source>
        <translation>Reiter &amp;Wortliste</translation>
    </message>
    <message>
        <source>&amp;Search Tab</source>
        <translation>Reiter S&amp;uche</translation>
    </message>
    <message>
        <source>&amp;Text Tab</source>
        <translation>Reiter &amp;Text</translation>
    </message>
    <message>
        <source>&amp;Image Tab</source>
        <translation>Reiter &amp;Bild</translation>
    </message>
    <message>
        <source>Clear Search Field</source>
        <translation>Suchfeld leeren</translation>
    </message>
    <message>
        <source>in the search field</source>
        <translation>im Suchfeld</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Ver&amp;größern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>&amp;Originalgröße</translation>
    </message>
    <message>
        <source>on the Image tab</source>
        <translation>im Reiter Bild</translation>
    </message>
    <message>
        <source>&amp;Next Page</source>
        <translation>&amp;Nächste Seite</translation>
    </message>
    <message>
        <source>&amp;Previous Page</source>
        <translation>Vo&amp;rige Seite</translation>
    </message>
    <message>
        <source>&amp;Entry&apos;s Page</source>
        <translation>&amp;Seite des Eintrags</translation>
    </message>
    <message>
        <source>Turned to page %1</source>
        <translation>Umgeblättert zu Seite %1</translation>
    </message>
    <message>
        <source>Fit Page &amp;Width</source>
        <translation>Seite an &amp;Breite anpassen</translation>
    </message>
    <message>
        <source>Zoom &amp;Page In</source>
        <translation>Seite &amp;vergrößern</translation>
    </message>
    <message>
        <source>Zoom Pa&amp;ge Out</source>
        <translation>Seite verkl&amp;einern</translation>
    </message>
    <message>
        <source>&amp;Natural or Stretched Page</source>
        <translation>Seite &amp;natürlich oder gestreckt</translation>
    </message>
    <message>
        <source>Copy Entry with &amp;Citation</source>
        <translation>Eintrag mit &amp;Zitatangabe kopieren</translation>
    </message>
    <message>
        <source>Dictionary: %1</source>
        <translation>Wörterbuch: %1</translation>
    </message>
    <message>
        <source>The dictionary text changed on disk and can&apos;t be read now: %1</source>
        <translation>Der Wörterbuchtext wurde auf der Platte geändert und lässt sich gerade nicht lesen: %1</translation>
    </message>
    <message>
        <source>The dictionary text changed on disk: read again</source>
        <translation>Der Wörterbuchtext wurde auf der Platte geändert: neu gelesen</translation>
    </message>
    <message>
        <source>The text&apos;s menu (Copy, Select All, Copy Entry with Citation, Favourite)</source>
        <translation>Menü des Textes (Kopieren, Alles auswählen, Zitatangabe, Favorit)</translation>
    </message>
</context>
<context>
    <name>wordhoard::TAboutBox</name>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>AN ELECTRONIC APPLICATION ON CD-ROM</source>
        <translation>EINE ELEKTRONISCHE ANWENDUNG AUF CD-ROM</translation>
    </message>
    <message>
        <source>ver. 0.2b</source>
        <translation>Vers. 0.2b</translation>
    </message>
    <message>
        <source>Text: Hoard Press, 2024-2026</source>
        <translation>Text: Hoard Press, 2024–2026</translation>
    </message>
    <message>
        <source>Program: Wordhoard, 2026</source>
        <translation>Programm: Wordhoard, 2026</translation>
    </message>
    <message>
        <source>&amp;Browse URL</source>
        <translation>Adresse im &amp;Browser öffnen</translation>
    </message>
    <message>
        <source>Browse URL</source>
        <translation>Adresse im Browser öffnen</translation>
    </message>
    <message>
        <source>Wordhoard %1</source>
        <translation>Wordhoard %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>wordhoard::TMDIChild</name>
    <message>
        <source>MDI Child</source>
        <translation>Unterfenster</translation>
    </message>
</context>
<context>
    <name>wordhoard::TMainForm</name>
    <message>
        <source>Wordhoard</source>
        <translation>Wordhoard</translation>
    </message>
    <message>
        <source>Fulltext</source>
        <translation>Volltext</translation>
    </message>
    <message>
        <source>Sorted A-Z/Orig. Order</source>
        <translation>Sortiert A-Z/Orig.-Folge</translation>
    </message>
    <message>
        <source>Wordlist</source>
        <translation>Wortliste</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Page: </source>
        <translation>Seite: </translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>File related commands</source>
        <translation>Befehle zu Dateien</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Exit|Exit application</source>
        <translation>Beenden|Anwendung beenden</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Help topics</source>
        <translation>Hilfethemen</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Über...</translation>
    </message>
    <message>
        <source>Unexpected error</source>
        <translation>Unerwarteter Fehler</translation>
    </message>
    <message>
        <source>Searching the dictionary...</source>
        <translation>Das Wörterbuch wird durchsucht...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>1 hit</source>
        <translation>1 Treffer</translation>
    </message>
    <message numerus="yes">
        <source>%n hits</source>
        <translation>
            <numerusform>%n Treffer</numerusform>
            <numerusform>%n Treffer</numerusform>
        </translation>
    </message>
    <message>
        <source>No hits for “%1”</source>
        <translation>Keine Treffer für „%1“</translation>
    </message>
    <message>
        <source>Next Mark</source>
        <translation>Nächste Markierung</translation>
    </message>
    <message>
        <source>Previous Mark</source>
        <translation>Vorige Markierung</translation>
    </message>
    <message>
        <source>&amp;Loose Matching</source>
        <translation>&amp;Unscharfer Abgleich</translation>
    </message>
    <message>
        <source>Ignore accents, length marks and case; þ matches ð, ƿ matches w</source>
        <translation>Akzente, Längenzeichen und Groß- und Kleinschreibung übergehen; þ gleicht ð, ƿ gleicht w</translation>
    </message>
    <message>
        <source>Loose matching</source>
        <translation>Unscharfer Abgleich</translation>
    </message>
    <message>
        <source>no scan for page %1</source>
        <translation>kein Scan für Seite %1</translation>
    </message>
    <message>
        <source>Scanned page %1</source>
        <translation>Gescannte Seite %1</translation>
    </message>
</context>
<context>
    <name>wordhoard::TSplashForm</name>
    <message>
        <source>WORDHOARD</source>
        <translation>WORDHOARD</translation>
    </message>
    <message>
        <source>an Old English dictionary</source>
        <translation>ein altenglisches Wörterbuch</translation>
    </message>
    <message>
        <source>AN ELECTRONIC APPLICATION ON CD-ROM</source>
        <translation>EINE ELEKTRONISCHE ANWENDUNG AUF CD-ROM</translation>
    </message>
    <message>
        <source>ver. 0.2b</source>
        <translation>Vers. 0.2b</translation>
    </message>
    <message>
        <source>Text: Hoard Press</source>
        <translation>Text: Hoard Press</translation>
    </message>
    <message>
        <source>Program: Wordhoard</source>
        <translation>Programm: Wordhoard</translation>
    </message>
    <message>
        <source>Hoard</source>
        <translation>Hoard</translation>
    </message>
    <message>
        <source>Society of Letters</source>
        <translation>Society of Letters</translation>
    </message>
    <message>
        <source>Whaleroad</source>
        <translation>Whaleroad</translation>
    </message>
    <message>
        <source>Early English Trust</source>
        <translation>Early English Trust</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Wird geladen...</translation>
    </message>
</context>
<context>
    <name>wordhoard::WordLookup</name>
    <message>
        <source>Look Up a Word of the Text</source>
        <translation>Ein Wort des Textes nachschlagen</translation>
    </message>
    <message>
        <source>Ctrl+click on it, or its menu</source>
        <translation>Strg+Klick darauf oder sein Menü</translation>
    </message>
    <message>
        <source>Form List</source>
        <translation>Formenliste</translation>
    </message>
    <message>
        <source>in the search field</source>
        <translation>im Suchfeld</translation>
    </message>
    <message>
        <source>Back to the Search Field</source>
        <translation>Zurück zum Suchfeld</translation>
    </message>
    <message>
        <source>in the form list</source>
        <translation>in der Formenliste</translation>
    </message>
    <message>
        <source>Show the Headword (in the form list)</source>
        <translation>Stichwort zeigen (in der Formenliste)</translation>
    </message>
    <message>
        <source>Enter or a click</source>
        <translation>Eingabetaste oder ein Klick</translation>
    </message>
    <message>
        <source>%1: %2 — %3</source>
        <translation>%1: %2 — %3</translation>
    </message>
    <message>
        <source>Look Up “%1”</source>
        <translation>„%1“ nachschlagen</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Gloss Passage...</source>
        <translation>Textstelle &amp;glossieren...</translation>
    </message>
</context>
</TS>
