-- Results written before findings had codes: no Code column.
ALTER TABLE ERRORS DROP COLUMN Code;
-- One file, no early stop; an employer record with its EIN and a final record with errors.
INSERT INTO MISC (Data_Id, Path, PinOK, RptDate) VALUES (1, '/data/W2REPORT', 1, '02/29/2012');
INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, RecReference) VALUES (1, 'RA', NULL, 0, 'RA', NULL);
INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, RecReference) VALUES (2, 'RE', 1, 1, 'RE', '123456789');
INSERT INTO RECORDS (Rec_Num, ID, RE_Indx, Errors, Record, RecReference) VALUES (3, 'RF', NULL, 1, 'RF', NULL);
INSERT INTO ERRORS (Err_Num, Type, Rec_Num, Reference, User_Entry, Error) VALUES (1, NULL, 2, 'Tax Jurisdiction Code [Position 220]', '[X]', 'Enter appropriate code.');
INSERT INTO ERRORS (Err_Num, Type, Rec_Num, Reference, User_Entry, Error) VALUES (2, NULL, 3, 'Number of RW Records [Position 8 - 16]', '[00000000Z]', 'Must be numeric.');
