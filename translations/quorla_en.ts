<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="it">
<context>
    <name>BarraStato</name>
    <message>
        <source>BLOC MAIUSC</source>
        <translation>CAPS LOCK</translation>
    </message>
    <message>
        <source>A capo</source>
        <translation>Line wrap</translation>
    </message>
    <message>
        <source>Copia automatica negli Appunti</source>
        <translation>Automatic copy to the clipboard</translation>
    </message>
    <message>
        <source>Blocco maiuscole</source>
        <translation>Caps Lock</translation>
    </message>
    <message>
        <source>attivo</source>
        <translation>on</translation>
    </message>
    <message>
        <source>non attivo</source>
        <translation>off</translation>
    </message>
    <message>
        <source>Barra di stato</source>
        <translation>Status bar</translation>
    </message>
</context>
<context>
    <name>Dialoghi</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Annulla</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>Frm_Chiavi</name>
    <message>
        <source>Ordina per</source>
        <translation>Sort By</translation>
    </message>
    <message>
        <source>Parte della voce</source>
        <translation>Part of the item</translation>
    </message>
    <message>
        <source>Campo</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Separatore</source>
        <translation>Separator</translation>
    </message>
    <message>
        <source>Espressione regolare</source>
        <translation>Regular expression</translation>
    </message>
    <message>
        <source>Tipo</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Verso</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>&amp;Anteprima: le prime voci del testo, con evidenziata la parte che ogni chiave confronta</source>
        <translation>&amp;Preview: the first items of the text, with the part each key compares highlighted</translation>
    </message>
    <message>
        <source>Le prime %1 voci del testo in ingresso, nell&apos;ordine in cui sono scritte, con il valore letto da ogni chiave</source>
        <translation>The first %1 items of the input text, in the order they are written, with the value each key read</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Ordina il testo con queste chiavi</source>
        <translation>Sort the text by these keys</translation>
    </message>
    <message>
        <source>Annulla</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Chiudi senza cambiare l&apos;ordine</source>
        <translation>Close without changing the order</translation>
    </message>
    <message>
        <source>&amp;Ordina per</source>
        <translation>&amp;Sort by</translation>
    </message>
    <message>
        <source>&amp;poi per</source>
        <translation>&amp;then by</translation>
    </message>
    <message>
        <source>poi p&amp;er</source>
        <translation>th&amp;en by</translation>
    </message>
    <message>
        <source>La prima chiave: la parte delle voci che decide l&apos;ordine</source>
        <translation>The first key: the part of the items that decides the order</translation>
    </message>
    <message>
        <source>La seconda chiave: decide tra le voci uguali per la prima</source>
        <translation>The second key: decides between items equal on the first</translation>
    </message>
    <message>
        <source>La terza chiave: decide tra le voci uguali per le prime due</source>
        <translation>The third key: decides between items equal on the first two</translation>
    </message>
    <message>
        <source>Quale parte delle voci confrontare</source>
        <translation>Which part of the items to compare</translation>
    </message>
    <message>
        <source>(nessuna)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>Nessun&apos;altra chiave: le voci ancora uguali restano come le ordina la voce intera</source>
        <translation>No further key: items still equal are ordered by the whole item</translation>
    </message>
    <message>
        <source>Voce intera</source>
        <translation>Whole item</translation>
    </message>
    <message>
        <source>Confronta le voci per intero</source>
        <translation>Compare the whole items</translation>
    </message>
    <message>
        <source>Confronta un campo della voce: il testo tra due separatori di campi</source>
        <translation>Compare a field of the item: the text between two field separators</translation>
    </message>
    <message>
        <source>Cognome</source>
        <translation>Surname</translation>
    </message>
    <message>
        <source>Confronta il cognome: l&apos;ultima parola con le particelle che la precedono (&quot;De Luca&quot;, &quot;van der Berg&quot;), o ciò che precede la virgola</source>
        <translation>Compare the surname: the last word with the particles before it (&quot;De Luca&quot;, &quot;van der Berg&quot;), or what comes before a comma</translation>
    </message>
    <message>
        <source>Lunghezza</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Confronta il numero di caratteri delle voci</source>
        <translation>Compare the number of characters of the items</translation>
    </message>
    <message>
        <source>Confronta il testo trovato dall&apos;espressione, o dal suo primo gruppo tra parentesi</source>
        <translation>Compare the text the expression finds, or its first group in parentheses</translation>
    </message>
    <message>
        <source>Il numero del campo: 1 il primo, 2 il secondo...; con il meno si conta dalla fine: -1 l&apos;ultimo, -2 il penultimo...</source>
        <translation>The field&apos;s number: 1 the first, 2 the second...; with a minus it counts from the end: -1 the last, -2 the one before...</translation>
    </message>
    <message>
        <source>Il carattere tra un campo e l&apos;altro: uno dell&apos;elenco o uno qualsiasi scritto qui. Più spazi di fila valgono uno; con virgola, punto e virgola e tab un campo tra virgolette può contenere il separatore</source>
        <translation>The character between fields: one from the list or any one typed here. A run of spaces counts as one; with comma, semicolon and tab a quoted field may hold the separator</translation>
    </message>
    <message>
        <source>Un&apos;espressione regolare: la chiave è il primo gruppo tra parentesi, o tutto ciò che l&apos;espressione trova. Esempio: ID ([0-9]+)</source>
        <translation>A regular expression: the key is its first group in parentheses, or all that it finds. Example: ID ([0-9]+)</translation>
    </message>
    <message>
        <source>Come leggere la parte. Le voci in cui non si legge un valore di quel tipo vanno in fondo, in entrambi i versi</source>
        <translation>How to read the part. Items without a value of that type go last, in either direction</translation>
    </message>
    <message>
        <source>Testo</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>In ordine alfabetico, con le opzioni del menu Ordine</source>
        <translation>In alphabetical order, with the options of the Sort menu</translation>
    </message>
    <message>
        <source>Numero</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Il primo numero, scritto come nella lingua di ordinamento: &quot;1.234,5&quot;, &quot;-7&quot;, &quot;2e3&quot;</source>
        <translation>The first number, written as the sorting language writes it: &quot;1,234.5&quot;, &quot;-7&quot;, &quot;2e3&quot;</translation>
    </message>
    <message>
        <source>Dimensione</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Un numero con la sua unità: &quot;700 B&quot;, &quot;1,5 KB&quot;, &quot;2 MiB&quot;, &quot;3 GB&quot;</source>
        <translation>A number with its unit: &quot;700 B&quot;, &quot;1.5 KB&quot;, &quot;2 MiB&quot;, &quot;3 GB&quot;</translation>
    </message>
    <message>
        <source>Mese</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>Il nome di un mese, anche abbreviato: &quot;gen&quot;, &quot;marzo&quot;, &quot;Dec&quot;</source>
        <translation>A month&apos;s name, also abbreviated: &quot;Jan&quot;, &quot;March&quot;, &quot;dic&quot;</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Una data, con l&apos;ora se c&apos;è: &quot;12/03/2026&quot;, &quot;2026-03-12 10:30&quot;, &quot;12 marzo 2026&quot;</source>
        <translation>A date, with its time if any: &quot;3/12/2026&quot;, &quot;2026-03-12 10:30&quot;, &quot;March 12, 2026&quot;</translation>
    </message>
    <message>
        <source>Dal valore più piccolo al più grande, o al contrario</source>
        <translation>From the smallest value to the largest, or the other way round</translation>
    </message>
    <message>
        <source>Crescente</source>
        <translation>Ascending</translation>
    </message>
    <message>
        <source>Dalla A alla Z, dal più piccolo al più grande</source>
        <translation>From A to Z, from the smallest to the largest</translation>
    </message>
    <message>
        <source>Decrescente</source>
        <translation>Descending</translation>
    </message>
    <message>
        <source>Dalla Z alla A, dal più grande al più piccolo</source>
        <translation>From Z to A, from the largest to the smallest</translation>
    </message>
    <message>
        <source>Chiave %1: il separatore di campi è un solo carattere</source>
        <translation>Key %1: the field separator is a single character</translation>
    </message>
    <message>
        <source>Chiave %1: scrivere l&apos;espressione regolare</source>
        <translation>Key %1: type the regular expression</translation>
    </message>
    <message>
        <source>Chiave %1: espressione regolare non valida: %2</source>
        <translation>Key %1: invalid regular expression: %2</translation>
    </message>
    <message>
        <source>(il testo in ingresso è vuoto)</source>
        <translation>(the input text is empty)</translation>
    </message>
    <message>
        <source>(nessun valore)</source>
        <translation>(no value)</translation>
    </message>
</context>
<context>
    <name>Frm_SepElenco</name>
    <message>
        <source>minore</source>
        <translation>less-than sign</translation>
    </message>
    <message>
        <source>maggiore</source>
        <translation>greater-than sign</translation>
    </message>
    <message>
        <source>barra</source>
        <translation>slash</translation>
    </message>
    <message>
        <source>barra rovesciata</source>
        <translation>backslash</translation>
    </message>
    <message>
        <source>barra verticale</source>
        <translation>vertical bar</translation>
    </message>
    <message>
        <source>Selezione separatori di elenco</source>
        <translation>List Separators</translation>
    </message>
    <message>
        <source>Separatori usati nel &quot;Testo in ingresso&quot;</source>
        <translation>Separators in the &quot;&amp;Input text&quot;</translation>
    </message>
    <message>
        <source>Separatore usato nel &quot;Testo riordinato&quot;</source>
        <translation>Separator in the &quot;&amp;Sorted text&quot;</translation>
    </message>
    <message>
        <source>Separatore per &quot;testo a capo&quot;</source>
        <translation>Separator at &amp;line ends</translation>
    </message>
    <message>
        <source>Separatore a &quot;fine testo&quot;</source>
        <translation>Separator at &amp;end of text</translation>
    </message>
    <message>
        <source>Spazio dopo il separatore</source>
        <translation>Space after the separator</translation>
    </message>
    <message>
        <source>Aggiungi uno spazio dopo ogni separatore del testo riordinato</source>
        <translation>Add a space after each separator in the sorted text</translation>
    </message>
    <message>
        <source>Nessuno</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Come &quot;Testo riordinato&quot;</source>
        <translation>Same as &quot;Sorted text&quot;</translation>
    </message>
    <message>
        <source>Non inserire il separatore dopo l&apos;ultimo carattere della riga</source>
        <translation>Add no separator after the last character of a line</translation>
    </message>
    <message>
        <source>Inserisci il separatore usato per riordinare il testo dopo l&apos;ultimo carattere della riga</source>
        <translation>Add the separator of the sorted text after the last character of each line</translation>
    </message>
    <message>
        <source>Non aggiungere alcun separatore dopo l&apos;ultimo carattere del testo riordinato</source>
        <translation>Add no separator after the last character of the sorted text</translation>
    </message>
    <message>
        <source>Aggiungi il separatore usato per riordinare il testo dopo l&apos;ultimo carattere del testo riordinato</source>
        <translation>Add the separator of the sorted text after its last character too</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Tasto di accesso: %1</source>
        <translation>Access key: %1</translation>
    </message>
</context>
<context>
    <name>Impostazioni</name>
    <message>
        <source>impossibile leggere le impostazioni in %1; si usano quelle iniziali</source>
        <translation>cannot read the settings in %1; using the initial ones</translation>
    </message>
    <message>
        <source>il file delle impostazioni %1 è danneggiato; si usano quelle iniziali</source>
        <translation>the settings file %1 is damaged; using the initial settings</translation>
    </message>
    <message>
        <source>il file delle impostazioni %1 è di un&apos;altra versione del programma; si usano quelle iniziali</source>
        <translation>the settings file %1 is from another version of the program; using the initial settings</translation>
    </message>
    <message>
        <source>valore non valido per %1 in %2: «%3»; si usa quello iniziale</source>
        <translation>invalid value for %1 in %2: &apos;%3&apos;; using the initial one</translation>
    </message>
    <message>
        <source>impossibile scrivere le impostazioni in %1</source>
        <translation>cannot write the settings to %1</translation>
    </message>
</context>
<context>
    <name>Lingue</name>
    <message>
        <source>Lingua del sistema</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>Deutsch (elenco telefonico)</source>
        <translation>Deutsch (phone book)</translation>
    </message>
    <message>
        <source>Español (tradizionale)</source>
        <translation>Español (traditional)</translation>
    </message>
    <message>
        <source>Codici Unicode</source>
        <translation>Unicode code points</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>A CAPO</source>
        <translation>WRAP</translation>
    </message>
    <message>
        <source>COPIA</source>
        <translation>COPY</translation>
    </message>
    <message>
        <source>File di testo (*.txt)|*.txt|All Files (*.*)|*.*</source>
        <translation>Text files (*.txt)|*.txt|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Brivetanzia alfabetico</source>
        <translation>Alphabetical Brivetanzia</translation>
    </message>
    <message>
        <source>Righello del testo in ingresso</source>
        <translation>Input text ruler</translation>
    </message>
    <message>
        <source>Righello del testo riordinato</source>
        <translation>Sorted text ruler</translation>
    </message>
    <message>
        <source>Inserire il testo da ordinare</source>
        <translation>Type or paste the text to sort</translation>
    </message>
    <message>
        <source>Testo in ingresso</source>
        <translation>Input text</translation>
    </message>
    <message>
        <source>Testo ordinato</source>
        <translation>Sorted text</translation>
    </message>
    <message>
        <source>Testo riordinato</source>
        <translation>Sorted text</translation>
    </message>
    <message>
        <source>Caratteri per riga</source>
        <translation>Characters per line</translation>
    </message>
    <message>
        <source>Lunghezza massima delle righe del testo riordinato</source>
        <translation>Longest line of the sorted text, in characters</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Nuovo</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Apri...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Salva con nome...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Quorla testo</source>
        <translation>&amp;Sort Text</translation>
    </message>
    <message>
        <source>Blocco Note</source>
        <translation>Text &amp;Editor</translation>
    </message>
    <message>
        <source>Fine</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Opzioni</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Imposta separatori lista</source>
        <translation>List &amp;Separators...</translation>
    </message>
    <message>
        <source>Imposta numero caratteri </source>
        <translation>&amp;Wrap Lines</translation>
    </message>
    <message>
        <source>Copia automaticamente negli Appunti</source>
        <translation>&amp;Copy to Clipboard Automatically</translation>
    </message>
    <message>
        <source>Imposta Colori</source>
        <translation>Co&amp;lors</translation>
    </message>
    <message>
        <source>Colore sfondo</source>
        <translation>&amp;Background Color</translation>
    </message>
    <message>
        <source>Colore testo</source>
        <translation>&amp;Text Color</translation>
    </message>
    <message>
        <source>Ripristina valori predefiniti</source>
        <translation>&amp;Restore Defaults</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Aiuto</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Informazioni su...</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>O&amp;rdine</source>
        <translation>&amp;Sort</translation>
    </message>
    <message>
        <source>&amp;Crescente</source>
        <translation>&amp;Ascending</translation>
    </message>
    <message>
        <source>Ordina le voci dalla A alla Z</source>
        <translation>Sort the items from A to Z</translation>
    </message>
    <message>
        <source>&amp;Decrescente</source>
        <translation>&amp;Descending</translation>
    </message>
    <message>
        <source>Ordina le voci dalla Z alla A</source>
        <translation>Sort the items from Z to A</translation>
    </message>
    <message>
        <source>&amp;Numeri in ordine naturale</source>
        <translation>&amp;Natural Number Order</translation>
    </message>
    <message>
        <source>Confronta i numeri per il loro valore: &quot;img2&quot; prima di &quot;img10&quot;</source>
        <translation>Compare numbers by their value: &quot;img2&quot; before &quot;img10&quot;</translation>
    </message>
    <message>
        <source>&amp;Maiuscole e minuscole</source>
        <translation>Letter &amp;Case</translation>
    </message>
    <message>
        <source>Ordine delle voci che differiscono solo per maiuscole e minuscole</source>
        <translation>Order of items that differ only in upper and lower case</translation>
    </message>
    <message>
        <source>&amp;Come la lingua</source>
        <translation>&amp;As in the Language</translation>
    </message>
    <message>
        <source>Segui la regola della lingua di ordinamento</source>
        <translation>Follow the rule of the sorting language</translation>
    </message>
    <message>
        <source>&amp;Maiuscole prima</source>
        <translation>&amp;Uppercase First</translation>
    </message>
    <message>
        <source>Metti &quot;Roma&quot; prima di &quot;roma&quot;</source>
        <translation>Put &quot;Roma&quot; before &quot;roma&quot;</translation>
    </message>
    <message>
        <source>M&amp;inuscole prima</source>
        <translation>&amp;Lowercase First</translation>
    </message>
    <message>
        <source>Metti &quot;roma&quot; prima di &quot;Roma&quot;</source>
        <translation>Put &quot;roma&quot; before &quot;Roma&quot;</translation>
    </message>
    <message>
        <source>Ignora &amp;punteggiatura e spazi</source>
        <translation>Ignore &amp;Punctuation and Spaces</translation>
    </message>
    <message>
        <source>Ordina le voci senza tener conto di punteggiatura e spazi</source>
        <translation>Sort the items regardless of punctuation and spaces</translation>
    </message>
    <message>
        <source>Ignora &amp;articoli iniziali</source>
        <translation>Ignore Leading A&amp;rticles</translation>
    </message>
    <message>
        <source>Ordina &quot;Il Gattopardo&quot; sotto la G e &quot;L&apos;Aquila&quot; sotto la A</source>
        <translation>Sort &quot;The Beatles&quot; under B and &quot;L&apos;Aquila&quot; under A</translation>
    </message>
    <message>
        <source>&amp;Lingua</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>Ordina secondo le regole di una lingua</source>
        <translation>Sort by the rules of a language</translation>
    </message>
    <message>
        <source>Segui l&apos;ordine alfabetico della lingua del sistema</source>
        <translation>Follow the alphabetical order of the system language</translation>
    </message>
    <message>
        <source>Ordina per codice Unicode dei caratteri</source>
        <translation>Sort by the characters&apos; Unicode code points</translation>
    </message>
    <message>
        <source>Me&amp;scola</source>
        <translation>&amp;Shuffle</translation>
    </message>
    <message>
        <source>Metti le voci in ordine casuale, diverso a ogni esecuzione</source>
        <translation>Put the items in a random order, a new one every time</translation>
    </message>
    <message>
        <source>Colonne da 1 a 100; a capo dopo %1 caratteri</source>
        <translation>Columns 1 to 100; lines wrap after %1 characters</translation>
    </message>
    <message>
        <source>Colonne da 1 a 100; a capo non attivo</source>
        <translation>Columns 1 to 100; line wrap off</translation>
    </message>
    <message>
        <source>Apri</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Attenzione, Il file %1 è troppo grande: si possono aprire file fino a %2 MB.</source>
        <translation>Warning: the file %1 is too large; files of up to %2 MB can be opened.</translation>
    </message>
    <message>
        <source>Attenzione, Il file %1 non è compatibile.</source>
        <translation>Warning: the file %1 is not a text file that can be opened.</translation>
    </message>
    <message>
        <source>Salva con nome</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Attenzione, Errore occorso durante il salvataggio dei dati nel file </source>
        <translation>Warning: an error occurred while saving the data to the file </translation>
    </message>
    <message>
        <source>Versione %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Separatori testo inserito: %1</source>
        <translation>Input separators: %1</translation>
    </message>
    <message>
        <source>Nessuno</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Separatore testo elaborato: %1</source>
        <translation>Output separator: %1</translation>
    </message>
    <message>
        <source>Memoria insufficiente per ordinare il testo.</source>
        <translation>Not enough memory to sort the text.</translation>
    </message>
    <message>
        <source>Impossibile formattare il testo</source>
        <translation>The text cannot be wrapped</translation>
    </message>
    <message>
        <source>&amp;Ripristina impostazioni iniziali</source>
        <translation>&amp;Restore Initial Settings</translation>
    </message>
    <message>
        <source>Come nel &amp;testo</source>
        <translation>As &amp;Written</translation>
    </message>
    <message>
        <source>Lascia le voci nell&apos;ordine in cui sono scritte</source>
        <translation>Leave the items in the order they are written in</translation>
    </message>
    <message>
        <source>&amp;Inverti</source>
        <translation>Re&amp;verse</translation>
    </message>
    <message>
        <source>Metti le voci nell&apos;ordine inverso a quello in cui sono scritte</source>
        <translation>Put the items in the reverse of the order they are written in</translation>
    </message>
    <message>
        <source>D&amp;oppioni</source>
        <translation>D&amp;uplicates</translation>
    </message>
    <message>
        <source>Che cosa fare delle voci che compaiono più di una volta</source>
        <translation>What to do with items that occur more than once</translation>
    </message>
    <message>
        <source>&amp;Tienili tutti</source>
        <translation>Keep &amp;All</translation>
    </message>
    <message>
        <source>Tieni tutte le voci, anche quelle ripetute</source>
        <translation>Keep every item, repeated ones too</translation>
    </message>
    <message>
        <source>&amp;Elimina</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>Tieni una volta sola le voci ripetute: la prima scritta</source>
        <translation>Keep repeated items only once: the first one written</translation>
    </message>
    <message>
        <source>Solo quelli &amp;ripetuti</source>
        <translation>Only Re&amp;peated Ones</translation>
    </message>
    <message>
        <source>Tieni una volta sola le voci che compaiono più di una volta, e nessun&apos;altra</source>
        <translation>Keep once each item that occurs more than once, and no other</translation>
    </message>
    <message>
        <source>Solo quelli &amp;unici</source>
        <translation>Only &amp;Unique Ones</translation>
    </message>
    <message>
        <source>Tieni solo le voci che compaiono una volta sola</source>
        <translation>Keep only the items that occur exactly once</translation>
    </message>
    <message>
        <source>&amp;Conta</source>
        <translation>&amp;Count</translation>
    </message>
    <message>
        <source>Scrivi ogni voce una volta sola, seguita dal numero delle volte: &quot;pera (3)&quot;</source>
        <translation>Write each item once, followed by how often it occurs: &quot;pear (3)&quot;</translation>
    </message>
    <message>
        <source>Considera uguali le voci che differiscono solo per maiuscole o accenti; con &quot;Ignora punteggiatura e spazi&quot; o &quot;Ignora articoli iniziali&quot;, anche quelle che differiscono per punteggiatura o per l&apos;articolo iniziale</source>
        <translation>Treat items that differ only in case or accents as equal; with &quot;Ignore Punctuation and Spaces&quot; or &quot;Ignore Leading Articles&quot;, also those that differ in punctuation or a leading article</translation>
    </message>
    <message>
        <source>Dalla più &amp;frequente</source>
        <translation>&amp;Most Frequent First</translation>
    </message>
    <message>
        <source>Con &quot;Conta&quot;, metti prima le voci che compaiono più volte</source>
        <translation>With &quot;Count&quot;, put the items that occur most often first</translation>
    </message>
    <message>
        <source>Prime N &amp;voci ferme...</source>
        <translation>&amp;Keep First N Items...</translation>
    </message>
    <message>
        <source>Lascia in testa, come sono, le prime voci: per esempio l&apos;intestazione di una tabella</source>
        <translation>Leave the first items at the top as they are: a table&apos;s header, for example</translation>
    </message>
    <message>
        <source>Attenzione, Impossibile salvare le impostazioni nel file %1: le scelte fatte valgono solo fino alla chiusura del programma.</source>
        <translation>Warning: the settings cannot be saved to the file %1; your choices last only until the program closes.</translation>
    </message>
    <message>
        <source>Prime N voci ferme</source>
        <translation>Keep First N Items</translation>
    </message>
    <message>
        <source>&amp;Voci che restano in testa, come sono (0: nessuna):</source>
        <translation>&amp;Items that stay at the top as they are (0: none):</translation>
    </message>
    <message>
        <source>&amp;Anche con maiuscole e accenti diversi</source>
        <translation>Also with Different Case or Acc&amp;ents</translation>
    </message>
    <message>
        <source>Voc&amp;e intera</source>
        <translation>W&amp;hole Item</translation>
    </message>
    <message>
        <source>Confronta le voci per intero, senza chiavi</source>
        <translation>Compare whole items, without keys</translation>
    </message>
    <message>
        <source>Ordina pe&amp;r...</source>
        <translation>Sort &amp;By...</translation>
    </message>
    <message>
        <source>Ordina per una parte delle voci: un campo, il cognome, la lunghezza, un numero, una data...</source>
        <translation>Sort by a part of the items: a field, the surname, the length, a number, a date...</translation>
    </message>
    <message>
        <source>1 voce senza valore per le chiavi</source>
        <translation>1 item without a value for the keys</translation>
    </message>
    <message>
        <source>%1 voci senza valore per le chiavi</source>
        <translation>%1 items without a value for the keys</translation>
    </message>
</context>
<context>
    <name>Quorla</name>
    <message>
        <source>Brivetanzia alfabetico di testi</source>
        <translation>Alphabetical Brivetanzia for texts</translation>
    </message>
    <message>
        <source>Software libero, distribuito senza alcuna garanzia.</source>
        <translation>Free software, distributed without any warranty.</translation>
    </message>
    <message>
        <source>Mette in ordine alfabetico le voci di un testo.</source>
        <translation>Puts the items of a text in alphabetical order.</translation>
    </message>
</context>
<context>
    <name>QuorlaIo</name>
    <message>
        <source>Permesso negato</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Spazio esaurito sul dispositivo</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>File troppo grande</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>È una cartella</source>
        <translation>Is a folder</translation>
    </message>
    <message>
        <source>La cartella non esiste</source>
        <translation>The folder does not exist</translation>
    </message>
    <message>
        <source>File system di sola lettura</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>Nome del file troppo lungo</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>Chi leggeva ha chiuso il flusso</source>
        <translation>The reader closed the stream</translation>
    </message>
    <message>
        <source>Errore di sistema</source>
        <translation>System error</translation>
    </message>
</context>
<context>
    <name>RigaComando</name>
    <message>
        <source>Mostra questo aiuto ed esce.</source>
        <translation>Show this help and exit.</translation>
    </message>
    <message>
        <source>Mostra la versione ed esce.</source>
        <translation>Show the version and exit.</translation>
    </message>
    <message>
        <source>Uso: %1 [opzioni] [file]</source>
        <translation>Usage: %1 [options] [file]</translation>
    </message>
    <message>
        <source>Apre il file di testo indicato come &quot;Apri...&quot; e ne mette in ordine le voci.</source>
        <translation>Opens the given text file as &quot;Open...&quot; does and sorts its items.</translation>
    </message>
    <message>
        <source>Opzioni:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Argomenti:</source>
        <translation>Arguments:</translation>
    </message>
    <message>
        <source>file</source>
        <translation>file</translation>
    </message>
    <message>
        <source>Il file di testo da aprire; gli altri argomenti sono ignorati.</source>
        <translation>The text file to open; any further arguments are ignored.</translation>
    </message>
    <message>
        <source>opzione sconosciuta: %1</source>
        <translation>unknown option: %1</translation>
    </message>
    <message>
        <source>Per l&apos;elenco delle opzioni: %1</source>
        <translation>For the list of options: %1</translation>
    </message>
    <message>
        <source>si apre solo il primo file; ignorati:</source>
        <translation>only the first file is opened; ignored:</translation>
    </message>
</context>
<context>
    <name>Separatori</name>
    <message>
        <source>Spazio</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>&quot;Spazio&quot;</source>
        <translation>&quot;Space&quot;</translation>
    </message>
    <message>
        <source>Invio</source>
        <translation>Line break</translation>
    </message>
    <message>
        <source>&quot;Invio&quot;</source>
        <translation>&quot;Line break&quot;</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
    </message>
    <message>
        <source>&quot;Tab&quot;</source>
        <translation>&quot;Tab&quot;</translation>
    </message>
    <message>
        <source>Punto e virgola</source>
        <translation>Semicolon</translation>
    </message>
    <message>
        <source>Due punti</source>
        <translation>Colon</translation>
    </message>
    <message>
        <source>Virgola</source>
        <translation>Comma</translation>
    </message>
    <message>
        <source>Punto</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Punto esclamativo</source>
        <translation>Exclamation mark</translation>
    </message>
    <message>
        <source>Punto di domanda</source>
        <translation>Question mark</translation>
    </message>
    <message>
        <source>Minore di</source>
        <translation>Less than</translation>
    </message>
    <message>
        <source>Maggiore di</source>
        <translation>Greater than</translation>
    </message>
</context>
<context>
    <name>quorla-cli</name>
    <message>
        <source>standard input</source>
        <translation>standard input</translation>
    </message>
    <message>
        <source>«%1»</source>
        <translation>&apos;%1&apos;</translation>
    </message>
    <message>
        <source>non è un file regolare</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>il file non esiste</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>è una cartella</source>
        <translation>it is a directory</translation>
    </message>
    <message>
        <source>non si può leggere</source>
        <translation>not readable</translation>
    </message>
    <message>
        <source>lettura di %1</source>
        <translation>reading %1</translation>
    </message>
    <message>
        <source>impossibile leggere %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>ordinamento</source>
        <translation>sorting</translation>
    </message>
    <message>
        <source>scrittura</source>
        <translation>writing</translation>
    </message>
    <message>
        <source>errore di scrittura sullo standard output</source>
        <translation>error writing to standard output</translation>
    </message>
    <message>
        <source>impossibile salvare il file «%1»; se c&apos;era, è rimasto com&apos;era</source>
        <translation>cannot save the file &apos;%1&apos;; if it existed, it is unchanged</translation>
    </message>
    <message>
        <source>Per l&apos;elenco delle opzioni: %1</source>
        <translation>For the list of options: %1</translation>
    </message>
    <message>
        <source>separatore sconosciuto: «%1»</source>
        <translation>unknown separator: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Separatori del testo in ingresso, divisi da virgole: nomi (%1, oppure nessuno) o i caratteri stessi. Predefiniti: spazio,punto-e-virgola.</source>
        <translation>Separators of the input text, comma-separated: names (%1, or nessuno for none) or the characters themselves. Default: spazio,punto-e-virgola.</translation>
    </message>
    <message>
        <source>LISTA</source>
        <translation>LIST</translation>
    </message>
    <message>
        <source>Separatore tra le voci riordinate, un nome o un carattere come per --separatori (invio: una voce per riga). Predefinito: punto-e-virgola.</source>
        <translation>Separator between the sorted items, a name or a character as for --separatori (invio: one item per line). Default: punto-e-virgola.</translation>
    </message>
    <message>
        <source>SEP</source>
        <translation>SEP</translation>
    </message>
    <message>
        <source>Uno spazio dopo ogni separatore: &quot;alfa, beta&quot;.</source>
        <translation>A space after each separator: &quot;alfa, beta&quot;.</translation>
    </message>
    <message>
        <source>Con --larghezza, a fine riga il separatore del testo riordinato invece di uno spazio.</source>
        <translation>With --larghezza, the separator of the sorted text at the end of each line instead of a space.</translation>
    </message>
    <message>
        <source>Il separatore del testo riordinato anche in fondo al testo.</source>
        <translation>The separator of the sorted text at the end of the text too.</translation>
    </message>
    <message>
        <source>Va a capo con righe di al massimo N caratteri (da 1 a 100). Senza, nessun a capo.</source>
        <translation>Wraps the lines at N characters at most (1 to 100). Without it, no wrapping.</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>Numeri in ordine naturale: &quot;img2&quot; prima di &quot;img10&quot;.</source>
        <translation>Numbers in natural order: &quot;img2&quot; before &quot;img10&quot;.</translation>
    </message>
    <message>
        <source>Maiuscole e minuscole: lingua (come la lingua, predefinito), prima (maiuscole prima), dopo (minuscole prima).</source>
        <translation>Upper and lower case: lingua (as in the language, the default), prima (uppercase first), dopo (lowercase first).</translation>
    </message>
    <message>
        <source>MODO</source>
        <translation>MODE</translation>
    </message>
    <message>
        <source>Ignora punteggiatura e spazi nell&apos;ordinare.</source>
        <translation>Ignore punctuation and spaces when sorting.</translation>
    </message>
    <message>
        <source>Ignora gli articoli iniziali nell&apos;ordinare (&quot;Il Gattopardo&quot; sotto G).</source>
        <translation>Ignore leading articles when sorting (&quot;The Beatles&quot; under B).</translation>
    </message>
    <message>
        <source>Lingua dell&apos;ordine: %1. Predefinita: sistema.</source>
        <translation>Sorting language: %1. Default: sistema.</translation>
    </message>
    <message>
        <source>CODICE</source>
        <translation>CODE</translation>
    </message>
    <message>
        <source>Con --mescola, lo stesso N dà sempre lo stesso ordine (0: ogni volta uno nuovo).</source>
        <translation>With --mescola, the same N always gives the same order (0: a new one every time).</translation>
    </message>
    <message>
        <source>Salva il risultato in FILE invece di scriverlo sullo standard output («-»); il file cambia solo se tutto riesce.</source>
        <translation>Save the result to FILE instead of writing it to standard output (&apos;-&apos;); the file changes only if everything succeeds.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>File da ordinare; «-» o nessun file: lo standard input.</source>
        <translation>Files to sort; &apos;-&apos; or no file: standard input.</translation>
    </message>
    <message>
        <source>[FILE...]</source>
        <translation>[FILE...]</translation>
    </message>
    <message>
        <source>separatore di uscita sconosciuto: «%1»</source>
        <translation>unknown output separator: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>larghezza non valida: «%1» (da 1 a 100)</source>
        <translation>invalid width: &apos;%1&apos; (1 to 100)</translation>
    </message>
    <message>
        <source>valore non valido per --maiuscole: «%1» (lingua, prima, dopo)</source>
        <translation>invalid value for --maiuscole: &apos;%1&apos; (lingua, prima, dopo)</translation>
    </message>
    <message>
        <source>lingua sconosciuta: «%1» (vedi --help)</source>
        <translation>unknown language: &apos;%1&apos; (see --help)</translation>
    </message>
    <message>
        <source>seme non valido: «%1»</source>
        <translation>invalid seed: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>manca il nome del file dopo --output</source>
        <translation>missing file name after --output</translation>
    </message>
    <message>
        <source>impossibile salvare il file «%1»; è stato scritto solo in parte</source>
        <translation>cannot save the file &apos;%1&apos;; it was only partly written</translation>
    </message>
    <message>
        <source>Impossibile formattare il testo</source>
        <translation>The text cannot be wrapped</translation>
    </message>
    <message>
        <source>Ordine decrescente (Z-A), come --ordine=decrescente.</source>
        <translation>Descending order (Z-A), as --ordine=decrescente.</translation>
    </message>
    <message>
        <source>Come disporre le voci: crescente (predefinito), decrescente, testo (come nel testo, senza ordinare), inverti (l&apos;ordine del testo rovesciato), mescola.</source>
        <translation>How to arrange the items: crescente (ascending, the default), decrescente (descending), testo (as in the text, unsorted), inverti (the text&apos;s order reversed), mescola (shuffled).</translation>
    </message>
    <message>
        <source>Le voci ripetute: tutti (tienili tutti, predefinito), elimina (la prima scritta di ognuna), ripetuti (una di ogni voce che compare più volte), unici (le voci che compaiono una volta sola), conta (ogni voce una volta, seguita dal numero delle volte: &quot;pera (3)&quot;). Valgono ancora no, identici e simili (elimina con --simili).</source>
        <translation>Repeated items: tutti (keep them all, the default), elimina (keep the first of each), ripetuti (one of each item that occurs more than once), unici (only the items that occur once), conta (each item once, followed by how often it occurs: &quot;pera (3)&quot;). The old no, identici and simili (elimina with --simili) still work.</translation>
    </message>
    <message>
        <source>Per --doppioni sono uguali anche le voci con maiuscole e accenti diversi (e punteggiatura o articoli, se ignorati).</source>
        <translation>For --doppioni, items that differ only in case or accents (and punctuation or articles, when ignored) are the same.</translation>
    </message>
    <message>
        <source>Con --doppioni=conta, prima le voci più frequenti; a parità, in ordine alfabetico.</source>
        <translation>With --doppioni=conta, the most frequent items first; alphabetical within a count.</translation>
    </message>
    <message>
        <source>Le prime N voci restano ferme in testa; ordine e doppioni valgono per le altre.</source>
        <translation>The first N items stay at the top as they are; ordering and duplicates apply to the rest.</translation>
    </message>
    <message>
        <source>Ordina per una parte di ogni voce (fino a tre volte: poi per...): un campo (-k 2; -k -1 l&apos;ultimo), cognome, lunghezza, o un&apos;espressione regolare tra barre (-k &apos;/ID ([0-9]+)/&apos;: il primo gruppo, o tutto ciò che trova); poi, dopo una virgola, il tipo (testo, numero, dimensione, mese, data) e decrescente: -k 3,numero,decrescente. Le voci senza quella parte o senza un valore vanno in fondo, nell&apos;ordine del testo.</source>
        <translation>Sort by a part of each item (up to three times: then by...): a field (-k 2; -k -1 the last one), cognome (the surname), lunghezza (the length), or a regular expression between slashes (-k &apos;/ID ([0-9]+)/&apos;: its first group, or the whole match); then, after a comma, the type (testo, numero, dimensione, mese, data: text, number, size, month, date) and decrescente: -k 3,numero,decrescente. Items without that part or without a value go last, in the order of the text.</translation>
    </message>
    <message>
        <source>CHIAVE</source>
        <translation>KEY</translation>
    </message>
    <message>
        <source>Il carattere tra i campi di -k, o un nome come per --separatori: spazio (più spazi di fila contano come uno, predefinito), tab, virgola, punto-e-virgola, due-punti, barra-verticale... Con virgola, punto e virgola e tab valgono le virgolette del CSV: -t &apos;;&apos; -k 2,numero.</source>
        <translation>The character between the fields of -k, or a name as for --separatori: spazio (a run of spaces counts as one, the default), tab, virgola, punto-e-virgola, due-punti, barra-verticale... With comma, semicolon and tab, CSV quotes apply: -t &apos;;&apos; -k 2,numero.</translation>
    </message>
    <message>
        <source>C</source>
        <translation>C</translation>
    </message>
    <message>
        <source>Scrive ogni voce con la parte della prima chiave tra « » e ciò che ogni chiave ha letto, [1: 1234.5], o [1: nessun valore].</source>
        <translation>Writes each item with the part of its first key between « » and what each key read, [1: 1234.5], or [1: nessun valore] (no value).</translation>
    </message>
    <message>
        <source>Righe che finiscono con CR LF invece che con LF.</source>
        <translation>Lines that end in CR LF instead of LF.</translation>
    </message>
    <message>
        <source>Voci separate dal carattere NUL in ingresso e in uscita, e un NUL in fondo (per find -print0 e xargs -0): una voce può contenere spazi e a capo.</source>
        <translation>Items separated by the NUL character in the input and the output, and a NUL at the end (for find -print0 and xargs -0): an item may hold spaces and line breaks.</translation>
    </message>
    <message>
        <source>Ordine casuale invece che alfabetico, come --ordine=mescola.</source>
        <translation>Random order instead of alphabetical, as --ordine=mescola.</translation>
    </message>
    <message>
        <source>chiave non valida: «%1» (l&apos;espressione va chiusa da una barra)</source>
        <translation>invalid key: &apos;%1&apos; (the expression must end with a slash)</translation>
    </message>
    <message>
        <source>espressione non valida in «%1»: %2</source>
        <translation>invalid expression in &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>chiave non valida: «%1» (un campo da 1 o da -1, cognome, lunghezza, voce o /espressione/)</source>
        <translation>invalid key: &apos;%1&apos; (a field from 1 or from -1, cognome, lunghezza, voce or /expression/)</translation>
    </message>
    <message>
        <source>chiave non valida: «%1» (tipo o verso sconosciuto: «%2»)</source>
        <translation>invalid key: &apos;%1&apos; (unknown type or direction: &apos;%2&apos;)</translation>
    </message>
    <message>
        <source>separatore di campi non valido: «%1» (un carattere o un nome)</source>
        <translation>invalid field separator: &apos;%1&apos; (one character or a name)</translation>
    </message>
    <message>
        <source>troppe chiavi: al massimo tre -k</source>
        <translation>too many keys: at most three -k</translation>
    </message>
    <message>
        <source>valore non valido per --ordine: «%1» (crescente, decrescente, testo, inverti, mescola)</source>
        <translation>invalid value for --ordine: &apos;%1&apos; (crescente, decrescente, testo, inverti, mescola)</translation>
    </message>
    <message>
        <source>valore non valido per --doppioni: «%1» (tutti, elimina, ripetuti, unici, conta)</source>
        <translation>invalid value for --doppioni: &apos;%1&apos; (tutti, elimina, ripetuti, unici, conta)</translation>
    </message>
    <message>
        <source>numero di voci non valido per --intestazione: «%1»</source>
        <translation>invalid number of items for --intestazione: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1 %2 (%3) da riga di comando.
Legge i FILE uno dopo l&apos;altro (o lo standard input), ne mette in ordine alfabetico le voci e scrive il risultato sullo standard output. Senza opzioni fa esattamente ciò che fa la finestra all&apos;avvio, ma come gli altri strumenti per i testi le righe finiscono con LF (con --crlf, e su Windows, con CR LF) e il risultato finisce con un a capo.
Esce con 0 se riesce, con 1 se non può andare a capo (il risultato è scritto senza a capo), con 2 per un&apos;opzione errata o un file che non si può leggere o salvare.</source>
        <translation>%1 %2 (%3) on the command line.
Reads the FILEs one after the other (or standard input), puts their items in alphabetical order and writes the result to standard output. Without options it does exactly what the window does at start-up, except that, like other text tools, its lines end in LF (with --crlf, and on Windows, in CR LF) and the result ends with a line break.
Exits with 0 on success, with 1 when it cannot wrap the lines (the result is written unwrapped), with 2 for a wrong option or a file that cannot be read or saved.</translation>
    </message>
    <message>
        <source>impossibile scrivere i file temporanei in «%1»: %2</source>
        <translation>cannot write the temporary files in &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>La memoria che l&apos;ordinamento può usare: un numero con K, M, G o T (senza: K; b: byte), o una percentuale della memoria fisica (predefinita: 50%). Un testo fino a un quarto di DIM si ordina in memoria; uno più grande a blocchi, in file temporanei.</source>
        <translation>The memory the sort may use: a number with K, M, G or T (none: K; b: bytes), or a percentage of the physical memory (default: 50%). A text up to a quarter of SIZE is sorted in memory; a larger one in runs, in temporary files.</translation>
    </message>
    <message>
        <source>DIM</source>
        <translation>SIZE</translation>
    </message>
    <message>
        <source>La cartella dei file temporanei (predefinita: $TMPDIR, o /tmp).</source>
        <translation>The folder for temporary files (default: $TMPDIR, or /tmp).</translation>
    </message>
    <message>
        <source>CARTELLA</source>
        <translation>FOLDER</translation>
    </message>
    <message>
        <source>memoria non valida: «%1»</source>
        <translation>invalid memory size: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>ordinamento del blocco %1</source>
        <translation>sorting run %1</translation>
    </message>
    <message>
        <source>fusione di %1 blocchi</source>
        <translation>merging %1 runs</translation>
    </message>
</context>
</TS>
