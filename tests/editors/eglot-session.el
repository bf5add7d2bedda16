;;; One editing session in Emacs with eglot and the README's set-up (loaded before this file), in
;;; a copy of the protocol example: Flymake shows a faulty line's error, completion inserts a name
;;; once, M-. goes to declarations (also in the include) and eglot-rename changes every use.
(require 'cl-lib)
(defvar tqc-failures 0)

(defun tqc-fail (what seen)
  (message "FEHLER: %s\n  gesehen: %S" what seen)
  (cl-incf tqc-failures))

(defun tqc-wait (pred &optional seconds)
  "Lets answers and timers in until PRED holds or SECONDS (10) pass; returns PRED's value."
  (let ((end (+ (float-time) (or seconds 10))))
    (while (and (not (funcall pred)) (< (float-time) end))
      ;; Batch Emacs runs no command loop and is never idle: eglot-ensure and Flymake wait for
      ;; the command hook, eglot's didChange and Flymake's checks for idle timers.
      (run-hooks 'post-command-hook)
      (mapc #'timer-event-handler (copy-sequence timer-idle-list))
      (accept-process-output nil 0.05))
    (funcall pred)))

(defun tqc-goto (file line &optional word)
  "Visits FILE at the line that reads LINE, on WORD in it."
  (find-file file)
  (goto-char (point-min))
  (unless (re-search-forward (concat "^[ \t]*" (regexp-quote line) "$") nil t)
    (error "Zeile fehlt in %s: %s" file line))
  (beginning-of-line)
  (when word (search-forward word (line-end-position)) (goto-char (match-beginning 0))))

(defun tqc-count (word)
  "How often WORD stands as a whole name in the script and its include."
  (cl-loop for file in '("protokoll.tqc" "protokoll.inc")
           sum (with-current-buffer (find-file-noselect file)
                 (how-many (concat "\\(?:^\\|[^[:alnum:]_]\\)" (regexp-quote word) "\\(?:$\\|[^[:alnum:]_]\\)")
                           (point-min) (point-max)))))

(defun tqc-session ()
  (find-file "protokoll.inc")
  (find-file "protokoll.tqc")
  (unless (tqc-wait (lambda () (and eglot--managed-mode (eglot-current-server))))
    (error "eglot verbindet sich nicht: %S" (buffer-string)))

  ;; A misspelt command word typed into the script is marked by Flymake at its line, with the
  ;; compiler's text.
  (goto-char (point-max))
  (insert "setvr wert = 1\n")
  (let ((line (1- (line-number-at-pos))))
    (unless (tqc-wait (lambda ()
                        (cl-some (lambda (d) (and (= line (line-number-at-pos (flymake-diagnostic-beg d)))
                                                  (string-match-p "Fehler in der Zeile" (flymake-diagnostic-text d))))
                                 (flymake-diagnostics))))
      (tqc-fail (format "kein Flymake-Fehler in Zeile %d" line)
                (mapcar (lambda (d) (list (line-number-at-pos (flymake-diagnostic-beg d)) (flymake-diagnostic-text d)))
                        (flymake-diagnostics)))))

  ;; Completion at point of a typed line gives the name once after its `;` or `#`.
  (dolist (row '(("send ;BE" "send ;BEFEHL") ("sendbus ;GE" "sendbus ;GERAET") ("#inc" "#include")))
    (cl-destructuring-bind (typed want) row
      (goto-char (point-max))
      (insert typed)
      (ignore-errors (completion-at-point))
      (let ((got (buffer-substring (line-beginning-position) (line-end-position))))
        (unless (equal got want)
          (tqc-fail (format "Vervollständigung nach \"%s\" ergibt nicht \"%s\"" typed want) got)))
      (delete-region (line-beginning-position) (point-max))))

  ;; M-. on a name goes to its declaration: a mark in the script, a define in the include.
  (dolist (row '(("jump abfrage" "abfrage" "protokoll.tqc" "::abfrage")
                 ("sendbus ;GERAET , 255" "GERAET" "protokoll.inc" "#define ;GERAET 3")))
    (cl-destructuring-bind (from word file want) row
      (tqc-goto "protokoll.tqc" from word)
      (ignore-errors (call-interactively #'xref-find-definitions))
      (let ((seen (list (buffer-name) (thing-at-point 'line t))))
        (unless (and (equal (buffer-name) file)
                     (equal (string-trim (thing-at-point 'line t)) want))
          (tqc-fail (format "M-. auf %s geht nicht nach %s: %s" word file want) seen)))))

  ;; eglot-rename: a mark (label and jump) and a define of the include used in the script; the
  ;; new name is what the prompt offers (the name at point) with the word changed.
  (dolist (row '(("::abfrage" "abfrage" "anfrage")
                 ("sendbus ;GERAET , 255" "GERAET" "BUSGERAET")))
    (cl-destructuring-bind (at word to) row
      (tqc-goto "protokoll.tqc" at word)
      (let ((before (tqc-count word)))
        (condition-case err (eglot-rename (replace-regexp-in-string word to (thing-at-point 'symbol t)))
          (error (tqc-fail "eglot-rename" err)))
        (unless (and (= 0 (tqc-count word)) (= before (tqc-count to)))
          (tqc-fail (format "%s -> %s: %d Stellen erwartet" word to before)
                    (list (tqc-count word) (tqc-count to)
                          (with-current-buffer "protokoll.tqc" (buffer-string))
                          (with-current-buffer "protokoll.inc" (buffer-string)))))))))

(condition-case err (tqc-session) (error (tqc-fail "Lisp-Fehler" err)))
(when (zerop tqc-failures) (message "Emacs-Sitzung: alles wie erwartet"))
(kill-emacs (if (zerop tqc-failures) 0 1))
