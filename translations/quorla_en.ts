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
    <name>Frm_SepElenco</name>
    <message>
        <source>Spazio</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>Invio</source>
        <translation>Line break</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tab</translation>
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
        <source>&amp;Elimina doppioni</source>
        <translation>Remove D&amp;uplicates</translation>
    </message>
    <message>
        <source>Tieni una volta sola le voci ripetute</source>
        <translation>Keep repeated items only once</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Tieni tutte le voci</source>
        <translation>Keep every item</translation>
    </message>
    <message>
        <source>&amp;Identici</source>
        <translation>&amp;Identical</translation>
    </message>
    <message>
        <source>Togli le voci scritte esattamente come una precedente</source>
        <translation>Remove the items written exactly like an earlier one</translation>
    </message>
    <message>
        <source>&amp;Anche con maiuscole e accenti diversi</source>
        <translation>Also with Different &amp;Case or Accents</translation>
    </message>
    <message>
        <source>Togli anche le voci che differiscono da una precedente solo per maiuscole o accenti</source>
        <translation>Also remove the items that differ from an earlier one only in case or accents</translation>
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
        <source>supera il limite di %1 byte</source>
        <translation>larger than the limit of %1 bytes</translation>
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
        <source>Ordine decrescente (Z-A).</source>
        <translation>Descending order (Z-A).</translation>
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
        <source>Elimina doppioni: no (predefinito), identici, simili (anche con maiuscole e accenti diversi).</source>
        <translation>Remove duplicates: no (the default), identici (exact repeats), simili (also with different case or accents).</translation>
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
        <source>Ordine casuale invece che alfabetico (prevale su --decrescente).</source>
        <translation>Random instead of alphabetical order (overrides --decrescente).</translation>
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
        <source>%1 %2 (%3) da riga di comando.
Legge i FILE uno dopo l&apos;altro (o lo standard input), ne mette in ordine alfabetico le voci e scrive il risultato sullo standard output. Senza opzioni fa esattamente ciò che fa la finestra all&apos;avvio.
Esce con 0 se riesce, con 1 se non può andare a capo (il risultato è scritto senza a capo), con 2 per un&apos;opzione errata o un file che non si può leggere o salvare.</source>
        <translation>%1 %2 (%3) on the command line.
Reads the FILEs one after another (or standard input), sorts their items alphabetically and writes the result to standard output. Without options it does exactly what the window does at start-up.
Exits with 0 on success, 1 when it cannot wrap the lines (the result is written unwrapped), 2 for a wrong option or a file that cannot be read or saved.</translation>
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
        <source>valore non valido per --doppioni: «%1» (no, identici, simili)</source>
        <translation>invalid value for --doppioni: &apos;%1&apos; (no, identici, simili)</translation>
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
</context>
</TS>
